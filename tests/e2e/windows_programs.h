#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <signal.h>

#include "harness.h"

// Windows programs of the test build started on a chosen Wine desktop, and what a third Windows
// process sees of their windows.
namespace dpx::e2e {

inline const std::string kHelper = "tests/win32/dpx_test_windows.exe";
inline const std::string kProbe = "tests/win32/dpx_window_probe.exe";
// Wine's virtual desktop of this name has a visible taskbar.
inline const std::vector<std::string> kOnShellDesktop{"explorer", "/desktop=shell,1024x768"};

// The processes of this session's Wine prefix whose program (the first word of the command line)
// is one that `matches`.
template <typename Matches>
std::vector<pid_t> ProcessesWhoseProgram(const Matches& matches) {
  namespace fs = std::filesystem;
  std::vector<pid_t> found;
  const std::string prefix = "WINEPREFIX=" + CurrentSession().winePrefix;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string pid = entry.path().filename();
    if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream cmdline(entry.path() / "cmdline", std::ios::binary);
    std::string command;
    std::getline(cmdline, command, '\0');
    if (!matches(command)) continue;
    std::ifstream environ(entry.path() / "environ", std::ios::binary);
    for (std::string variable; std::getline(environ, variable, '\0');)
      if (variable == prefix) found.push_back(std::stoi(pid));
  }
  return found;
}

// The processes of this session's Wine prefix whose command line starts with `windowsExe`.
inline std::vector<pid_t> ProcessesRunning(const std::string& windowsExe) {
  return ProcessesWhoseProgram(
      [&](const std::string& program) { return program.rfind(windowsExe, 0) == 0; });
}

// Ends them at once, as a crash would: nothing of theirs runs at the end.
inline void EndProcessesRunning(const std::string& windowsExe) {
  for (const pid_t pid : ProcessesRunning(windowsExe)) ::kill(pid, SIGKILL);
}

// How often `part` stands in `text`.
inline std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

inline std::size_t LineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Starts a program of the Windows build under Wine; with `wrap`, through it (explorer.exe onto
// another desktop). A program started through explorer.exe outlives its starter, so the whole
// process group is ended when this is dropped.
class WindowsProgram {
 public:
  WindowsProgram(const std::string& exe, const std::vector<std::string>& args,
                 const std::vector<std::string>& wrap = {})
      : program_(Command(exe, args, wrap)) {}
  ~WindowsProgram() { ::kill(-program_.pid(), SIGKILL); }

  Program& program() { return program_; }

  // The windows it printed ("HWND TITLE" lines), by title or label.
  std::map<std::string, std::string> Windows(std::size_t count) {
    std::map<std::string, std::string> windows;
    WaitUntil([&] {
      windows.clear();
      std::istringstream lines(program_.Output());
      for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto space = line.find(' ');
        if (space != std::string::npos) windows[line.substr(space + 1)] = line.substr(0, space);
      }
      return windows.size() >= count;
    });
    return windows;
  }

 private:
  static std::vector<std::string> Command(const std::string& exe,
                                          const std::vector<std::string>& args,
                                          const std::vector<std::string>& wrap) {
    const Session& session = CurrentSession();
    std::vector<std::string> argv{session.wine};
    argv.insert(argv.end(), wrap.begin(), wrap.end());
    argv.push_back(session.windowsBuild + "/" + exe);
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
  }

  Program program_;
};

// What a third Windows process sees: dpx_window_probe.exe's lines for these arguments.
inline std::string Probe(const std::vector<std::string>& args,
                         const std::vector<std::string>& wrap = {}) {
  WindowsProgram probe(kProbe, args, wrap);
  WaitUntil([&] { return LineCount(probe.program().Output()) >= args.size(); }, 10s);
  return probe.program().Output();
}

inline bool ShownFromOutside(const std::string& window, const std::vector<std::string>& wrap = {}) {
  return Probe({window}, wrap).find("visible=1") != std::string::npos;
}

}  // namespace dpx::e2e
