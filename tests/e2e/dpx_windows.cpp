#include "dpx_windows.h"

#include <fstream>
#include <sstream>
#include <thread>

namespace dpx::e2e {

std::pair<int, int> WindowSize(const std::string& window) {
  std::istringstream info(Run("xwininfo -id " + window));
  int width = 0, height = 0;
  for (std::string line; std::getline(info, line);) {
    if (line.find("Width:") != std::string::npos)
      width = std::stoi(line.substr(line.find(':') + 1));
    if (line.find("Height:") != std::string::npos)
      height = std::stoi(line.substr(line.find(':') + 1));
  }
  return {width, height};
}

std::string ShownMainWindow() {
  for (const std::string& window : VisibleXWindows("DPX"))
    if (WindowSize(window).first > 100) return window;
  return {};
}

std::string WaitForWindow(const std::string& title) {
  std::string found;
  WaitUntil([&] {
    const auto windows = VisibleXWindows(title);
    if (!windows.empty()) found = windows.front();
    return !found.empty();
  });
  return found;
}

bool PressUntil(const std::string& window, const std::string& keys,
                const std::function<bool()>& done) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    std::this_thread::sleep_for(300ms);
    Run("xdotool windowfocus --sync " + window + " key " + keys);
    if (WaitUntil(done, 1s)) return true;
  }
  return false;
}

bool Answer(const std::string& box, const std::string& key) {
  return PressUntil(
      box, key, [&] { return Run("xwininfo -id " + box).find("IsViewable") == std::string::npos; });
}

std::string FileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::filesystem::path ScreenshotFolder() {
  const char* folder = std::getenv("DPX_E2E_SCREENSHOTS");
  std::filesystem::path path = folder && *folder
                                   ? std::filesystem::path(folder)
                                   : std::filesystem::temp_directory_path() / "dpx-e2e-shots";
  std::filesystem::create_directories(path);
  return path;
}

std::vector<std::string> WindowTexts(const std::string& title) {
  Program probe = StartWindowsProgram("tests/win32/dpx_window_probe.exe", {"texts:" + title});
  probe.Wait(20s);
  std::istringstream output(probe.Output());
  std::vector<std::string> texts;
  for (std::string line; std::getline(output, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("text: ", 0) == 0) texts.push_back(line.substr(6));
  }
  return texts;
}

}  // namespace dpx::e2e
