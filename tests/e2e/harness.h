#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

// Drives the real Windows programs under Wine from outside, as a user and an observer would:
// starts them in the test session's Wine prefix and X display, presses keys with xdotool, and
// reads the result from X, from files and from the registry.
namespace dpx::e2e {

using namespace std::chrono_literals;

// The session the test command started: its X display, its Wine prefix, the Windows build.
struct Session {
  std::string display;
  std::string winePrefix;
  std::string wine;          // the 64-bit Wine loader
  std::string windowsBuild;  // the Windows build folder (dpx.exe, test helpers)
};

// From DISPLAY, WINEPREFIX, DPX_WINE and DPX_WINDOWS_BUILD; throws when the session is missing,
// so an end-to-end test never passes for want of its environment.
const Session& CurrentSession();

// A program started by a test; killed with its process group when dropped.
class Program {
 public:
  Program(const std::vector<std::string>& argv);
  Program(Program&& other) noexcept;
  Program& operator=(Program&&) = delete;
  ~Program();

  pid_t pid() const { return pid_; }
  bool Running();
  // Waits up to `timeout` for it to end; its exit status, or -1 when it is still running.
  int Wait(std::chrono::milliseconds timeout);
  // What it has written to its standard output and error so far.
  std::string Output();

 private:
  pid_t pid_ = -1;
  int status_ = -1;
  std::string outputFile_;
};

// Starts a Windows program of the Windows build (a path relative to it) under Wine.
Program StartWindowsProgram(const std::string& relativeExe,
                            const std::vector<std::string>& args = {});

// Runs a shell command to its end; its standard output.
std::string Run(const std::string& command, int* exitStatus = nullptr);

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 15s);

// X windows whose name matches `title` exactly (a regular expression is built from it).
std::vector<std::string> VisibleXWindows(const std::string& title);
bool XWindowShown(const std::string& title);
void PressKey(const std::string& keys, const std::string& xWindow);

// The user's application-data folder inside the Wine prefix.
std::string AppDataFolder();
// Saves a screenshot of the whole X screen.
void Screenshot(const std::string& pngPath);

}  // namespace dpx::e2e
