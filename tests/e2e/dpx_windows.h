#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "harness.h"

// What the end-to-end tests look for on the screen of dpx.exe: its windows and message boxes.
namespace dpx::e2e {

// The size of an X window as xwininfo tells it.
std::pair<int, int> WindowSize(const std::string& window);
// The main window: the "DPX" window that has a size (the application window that carries the
// taskbar button is "DPX" too, but has none). Empty when it is not shown.
std::string ShownMainWindow();
// The first visible window of that title, once there is one; empty after the timeout.
std::string WaitForWindow(const std::string& title);
// Presses keys in a window until `done`. A window takes keys only once it has the focus, and
// without a window manager Wine sometimes hands the focus over a moment late.
bool PressUntil(const std::string& window, const std::string& keys,
                const std::function<bool()>& done);
// Answers a message box with a key; true once the box has gone.
bool Answer(const std::string& box, const std::string& key);
std::string FileText(const std::filesystem::path& file);
// Where screenshots are kept for a person to look at: DPX_E2E_SCREENSHOTS, or a folder in the
// temporary folder; made when missing.
std::filesystem::path ScreenshotFolder();
// The texts a Windows window of that title shows (a message box's message among them), read by
// a third process.
std::vector<std::string> WindowTexts(const std::string& title);

}  // namespace dpx::e2e
