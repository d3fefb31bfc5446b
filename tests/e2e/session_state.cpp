#include "session_state.h"

#include "dpx_windows.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <pwd.h>
#include <unistd.h>

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Wine() {
  return Quote(CurrentSession().wine);
}

std::string UserKey(const std::string& key) {
  return Quote("HKCU\\" + key);
}

// The sizes the X server offers, "1024x768" and so on.
std::set<std::string> ServerSizes() {
  std::istringstream lines(Run("xrandr --current"));
  std::set<std::string> sizes;
  const std::regex size("^\\s+([0-9]+x[0-9]+)\\s");
  std::smatch match;
  for (std::string line; std::getline(lines, line);)
    if (std::regex_search(line, match, size)) sizes.insert(match[1]);
  return sizes;
}

struct ProbedModes {
  std::vector<ListedMode> listed;
  int current = -1;  // the number of the listed mode Wine calls current
};

ProbedModes ProbeModes() {
  const std::string probe =
      Quote(CurrentSession().windowsBuild + "/tests/win32/dpx_side_actions_probe.exe");
  std::istringstream lines(Run("printf 'modes\\nquit\\n' | " + Wine() + " " + probe));
  ProbedModes modes;
  const std::regex mode("^mode ([0-9]+) ([0-9]+x[0-9]+)x([0-9]+)@([0-9]+)");
  const std::regex current("^current (-?[0-9]+)");
  std::smatch match;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, match, mode))
      modes.listed.push_back(
          {std::stoi(match[1]), match[2], std::stoi(match[3]), std::stoi(match[4])});
    else if (std::regex_search(line, match, current))
      modes.current = std::stoi(match[1]);
  }
  return modes;
}

std::string SizeOfMode(const ProbedModes& modes, int number) {
  for (const ListedMode& mode : modes.listed)
    if (mode.number == number) return mode.size;
  return {};
}

}  // namespace

fs::path FreshDataFolder() {
  const fs::path folder = fs::path(AppDataFolder()) / "Orvalen" / "DPX";
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

std::string WindowsDataFilePath(const std::string& fileName) {
  const passwd* user = ::getpwuid(::getuid());
  return std::string("C:\\users\\") + (user ? user->pw_name : "root") +
         "\\AppData\\Roaming\\Orvalen\\DPX\\" + fileName;
}

void WriteDoNotHideList(const fs::path& dataFolder, const std::vector<std::string>& titles) {
  std::ofstream list(dataFolder / "ExList.Dat", std::ios::binary);
  for (const std::string& title : titles) {
    // Title and program path as length-prefixed 255-byte strings, then the "All" flag.
    std::array<char, 513> record{};
    record[0] = static_cast<char>(title.size());
    title.copy(&record[1], title.size());
    list.write(record.data(), record.size());
  }
}

void WriteSettings(const fs::path& dataFolder, const std::vector<std::string>& lines) {
  std::ofstream settings(dataFolder / "dpx.dat", std::ios::binary);
  for (const std::string& line : lines) settings << line << "\r\n";
}

std::string SettingsValue(const std::string& text, const std::string& section,
                          const std::string& key) {
  std::istringstream lines(text);
  bool inSection = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inSection = line == "[" + section + "]";
    } else if (inSection && line.rfind(key + "=", 0) == 0) {
      return line.substr(key.size() + 1);
    }
  }
  return {};
}

bool WaitForDpxWindow() {
  return WaitUntil(
      [] {
        Program probe = StartWindowsProgram("tests/win32/dpx_window_probe.exe", {"texts:DPX"});
        probe.Wait(20s);
        return probe.Output().find("texts: none") == std::string::npos;
      },
      20s);
}

bool PressAndWait(const std::string& keys, const std::string& xWindow,
                  const std::function<bool()>& done, std::chrono::milliseconds patience) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    PressKey(keys, xWindow);
    if (WaitUntil(done, patience)) return true;
  }
  return false;
}

std::string ScreenMode() {
  std::istringstream lines(Run("xrandr --current"));
  const std::regex current("^\\s+([0-9]+x[0-9]+)\\s.*\\*");
  std::smatch match;
  for (std::string line; std::getline(lines, line);)
    if (std::regex_search(line, match, current)) return match[1];
  return {};
}

void ResetDisplay() {
  const char* session = std::getenv("DPX_WINE_SESSION");
  if (!session || !*session) throw std::runtime_error("DPX_WINE_SESSION is not set");
  const fs::path script = fs::path(__FILE__).parent_path() / "../../scripts/wine-session";
  Run(Quote(script.string()) + " reset " + Quote(session));
  // Wine's desktop process takes in the change in its own time; a program started before then
  // would take the old size for the current one and "restore" to it.
  const std::string size = ScreenMode();
  if (!DisplayBecomes(size))
    throw std::runtime_error("Wine did not take in the display mode " + size);
}

bool DisplayBecomes(const std::string& size) {
  return WaitUntil(
      [&] {
        if (ScreenMode() != size) return false;
        const ProbedModes modes = ProbeModes();
        return SizeOfMode(modes, modes.current) == size;
      },
      10s);
}

std::vector<ListedMode> ListedModes() {
  std::vector<ListedMode> modes;
  // Wine's desktop process reads the server's modes in its own time after a change.
  WaitUntil(
      [&] {
        modes = ProbeModes().listed;
        std::set<std::string> sizes;
        for (const ListedMode& mode : modes) sizes.insert(mode.size);
        return sizes == ServerSizes();
      },
      10s);
  return modes;
}

std::optional<std::string> UserRegistryValue(const std::string& key, const std::string& name,
                                             const std::string& type) {
  int status = 0;
  std::istringstream lines(
      Run(Wine() + " reg query " + UserKey(key) + " /v " + Quote(name), &status));
  if (status != 0) return std::nullopt;
  // "    Name    REG_SZ    text", or nothing after the type for an empty text.
  const std::regex value("^\\s*" + name + "\\s+" + type + "(\\s+(.*))?$");
  std::smatch match;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (std::regex_match(line, match, value)) return match[2].str();
  }
  return std::nullopt;
}

void SetUserRegistryValue(const std::string& key, const std::string& name, const std::string& value,
                          const std::string& type) {
  Run(Wine() + " reg add " + UserKey(key) + " /v " + Quote(name) + " /t " + type + " /d " +
      Quote(value) + " /f");
}

void DeleteUserRegistryValue(const std::string& key, const std::string& name) {
  Run(Wine() + " reg delete " + UserKey(key) + " /v " + Quote(name) + " /f");
}

Colour PixelOf(const std::string& xWindow, int x, int y) {
  const std::string text = Run("import -window " + xWindow + " -crop 1x1+" + std::to_string(x) +
                               "+" + std::to_string(y) + " -depth 8 txt:-");
  const std::regex rgb("\\(([0-9]+),([0-9]+),([0-9]+)");
  std::smatch match;
  if (!std::regex_search(text, match, rgb)) return {};
  return {std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3])};
}

void Click(const std::string& xWindow, Place at) {
  Run("xdotool mousemove --window " + xWindow + " " + std::to_string(at.x) + " " +
      std::to_string(at.y) + " click 1");
}

bool LooksPressed(const std::string& xWindow, Place at) {
  const Colour colour = PixelOf(xWindow, at.x, at.y);
  return colour.blue > colour.red + 60;
}

bool OpenExtraSettingsPage(const std::string& main, Place stripButton) {
  // The page's own button, not a strip button: on the Windows page a list's blue caption or a
  // selected row can lie where a strip button will be.
  if (!PressUntil(main, "alt+e", [&] { return LooksPressed(main, kExtraSettingsButton); }))
    return false;
  return WaitUntil(
      [&] {
        Click(main, stripButton);
        return WaitUntil([&] { return LooksPressed(main, stripButton); }, 1s);
      },
      10s);
}

}  // namespace dpx::e2e
