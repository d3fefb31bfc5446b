#include "harness.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace dpx::e2e {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value)
    throw std::runtime_error(std::string("end-to-end session: ") + name + " is not set");
  return value;
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string RegexFor(const std::string& title) {
  std::string regex = "^";
  for (char c : title) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) regex += '\\';
    regex += c;
  }
  return regex + "$";
}

}  // namespace

const Session& CurrentSession() {
  static const Session session{Env("DISPLAY"), Env("WINEPREFIX"), Env("DPX_WINE"),
                               Env("DPX_WINDOWS_BUILD")};
  return session;
}

Program::Program(const std::vector<std::string>& argv) {
  static int counter = 0;
  outputFile_ =
      "/tmp/dpx-e2e-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + ".out";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outputFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const int error = posix_spawnp(&pid_, args[0], &actions, &attributes, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) throw std::runtime_error("cannot start " + argv[0]);
}

Program::Program(Program&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)),
      status_(other.status_),
      outputFile_(std::move(other.outputFile_)) {}

Program::~Program() {
  if (pid_ <= 0) return;
  if (Running()) {
    ::kill(-pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  std::remove(outputFile_.c_str());
}

bool Program::Running() {
  return Wait(0ms) == -1 && status_ == -1;
}

int Program::Wait(std::chrono::milliseconds timeout) {
  if (status_ != -1) return status_;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  do {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return status_;
    }
    std::this_thread::sleep_for(20ms);
  } while (std::chrono::steady_clock::now() < deadline);
  return -1;
}

std::string Program::Output() {
  std::ifstream in(outputFile_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

Program StartWindowsProgram(const std::string& relativeExe, const std::vector<std::string>& args) {
  const Session& session = CurrentSession();
  std::vector<std::string> argv{session.wine, session.windowsBuild + "/" + relativeExe};
  argv.insert(argv.end(), args.begin(), args.end());
  return Program(argv);
}

std::string Run(const std::string& command, int* exitStatus) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen((command + " 2>/dev/null").c_str(), "r"),
                                             ::pclose);
  if (!pipe) throw std::runtime_error("cannot run " + command);
  std::string output;
  char buffer[4096];
  while (std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe.get()))
    output.append(buffer, read);
  const int status = ::pclose(pipe.release());
  if (exitStatus) *exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return output;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

std::vector<std::string> VisibleXWindows(const std::string& title) {
  std::istringstream ids(Run("xdotool search --onlyvisible --name " + ShellQuote(RegexFor(title))));
  std::vector<std::string> windows;
  for (std::string id; std::getline(ids, id);)
    if (!id.empty()) windows.push_back(id);
  return windows;
}

bool XWindowShown(const std::string& title) {
  return !VisibleXWindows(title).empty();
}

void PressKey(const std::string& keys, const std::string& xWindow) {
  // xdotool sends to a focused window through the server and to any other as a sent event,
  // choosing again for the release. When the press moves the focus (a hide does), the server's
  // press gets no release: the key stays down and repeats, and each repeat is another hot key.
  // Releasing through the server afterwards ends that; a key that is not down ignores it.
  Run("xdotool key --window " + xWindow + " " + keys + " keyup " + keys);
}

std::string AppDataFolder() {
  const passwd* user = ::getpwuid(::getuid());
  return CurrentSession().winePrefix + "/drive_c/users/" + (user ? user->pw_name : "root") +
         "/AppData/Roaming";
}

void Screenshot(const std::string& pngPath) {
  Run("import -window root " + ShellQuote(pngPath));
}

}  // namespace dpx::e2e
