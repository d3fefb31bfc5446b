#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "harness.h"

// What the end-to-end tests set up beside dpx.exe and read back from outside it: its data files,
// the X screen's mode, Wine's list of modes, registry values and the colours on the screen.
namespace dpx::e2e {

// DPX's data folder in the session's prefix, emptied (made when missing).
std::filesystem::path FreshDataFolder();
// The Windows path of a file in DPX's data folder, as dpx.exe and the test helpers name it.
std::string WindowsDataFilePath(const std::string& fileName);
// "ExList.Dat" with one entry per title (that window only, no program path): DPX leaves those
// windows shown in hide mode.
void WriteDoNotHideList(const std::filesystem::path& dataFolder,
                        const std::vector<std::string>& titles);
// "dpx.dat" with these lines ("[Section]" and "Key=Value"); DPX reads every other key's default.
void WriteSettings(const std::filesystem::path& dataFolder, const std::vector<std::string>& lines);
// The value of a key in a settings text, "" when the section or the key is missing.
std::string SettingsValue(const std::string& text, const std::string& section,
                          const std::string& key);

// True once dpx.exe has made its main window, shown or not; it registers its hot keys right after.
bool WaitForDpxWindow();
// Presses keys in an X window of the session (without focusing it) and waits for `done`. It
// presses again only after `patience` without an answer, so that a slow answer is never taken for
// a lost press: a second press of a toggle would undo the first.
bool PressAndWait(const std::string& keys, const std::string& xWindow,
                  const std::function<bool()>& done,
                  std::chrono::milliseconds patience = std::chrono::seconds(5));

// The X screen's mode, e.g. "1920x1080"; empty when the server lists none as current.
std::string ScreenMode();
// Waits until both the X server and Wine show the screen at this size, "1024x768".
bool DisplayBecomes(const std::string& size);
// The session's default mode again, and Wine's list of modes read afresh from the X server.
void ResetDisplay();

// A display mode as Windows lists it in the session.
struct ListedMode {
  int number = 0;
  std::string size;  // "1024x768"
  int bits = 0;
  int frequency = 0;
};
// Wine's list (EnumDisplaySettingsW, numbered) once it offers the sizes the X server offers.
std::vector<ListedMode> ListedModes();

// A string value under HKEY_CURRENT_USER of that type (REG_SZ, REG_EXPAND_SZ); nullopt when
// there is none of that type.
std::optional<std::string> UserRegistryValue(const std::string& key, const std::string& name,
                                             const std::string& type = "REG_SZ");
void SetUserRegistryValue(const std::string& key, const std::string& name, const std::string& value,
                          const std::string& type = "REG_SZ");
void DeleteUserRegistryValue(const std::string& key, const std::string& name);

// The colour of one pixel of an X window, as "r,g,b".
struct Colour {
  int red = 0;
  int green = 0;
  int blue = 0;
};
Colour PixelOf(const std::string& xWindow, int x, int y);

// Places in the main window at the default DPI (window pixels), from the dialog layout; those of
// page buttons lie left of their captions, on the button's face.
struct Place {
  int x;
  int y;
};
constexpr Place kWindowsButton{55, 535};
constexpr Place kExtraSettingsButton{113, 535};

void Click(const std::string& xWindow, Place at);

// A pressed page button is drawn in the selection colour, blue; the others are light.
bool LooksPressed(const std::string& xWindow, Place at);

// "&Extra Settings", then one of its strip buttons; false when either did not take.
bool OpenExtraSettingsPage(const std::string& main, Place stripButton);

}  // namespace dpx::e2e
