// dpx.exe: refuses unknown Windows versions and a second instance, then runs the program.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/version_gate.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/program.h"
#include "ui/win32/session_events_window.h"
#include "ui/win32/shell_actions.h"

namespace {

// How long "/restore" waits for the running instance to put its desktop back.
constexpr std::chrono::milliseconds kRestoreRequestBound{15000};

// The arguments after the program's own path.
std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::wstring> result;
  for (int i = 1; i < count; ++i) result.emplace_back(arguments[i]);
  ::LocalFree(arguments);
  return result;
}

// COM for the shell and the sound endpoint, single-threaded, for the life of the program.
class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (initialized_) ::CoUninitialize();
  }

 private:
  bool initialized_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace dpx;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_LINK_CLASS |
                                                     ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);
  ComApartment com;

  win32::Win32Processes processes;
  if (IsWindowsVersionUnsupported(processes.Version())) {
    ::MessageBoxW(nullptr,
                  L"This version of Windows is not supported. Please check the product website "
                  L"for updates.",
                  win32::kApplicationTitle, MB_OK);
    win32::OpenMakerWebSite();
    return 0;
  }
  const std::vector<std::wstring> arguments = CommandLineArguments();
  const bool restoreOnly = IsRestoreCommand(arguments);
  // Held, never released, until the process ends: it marks this logon's running instance.
  win32::UniqueHandle instanceMutex(::CreateMutexW(nullptr, TRUE, L"DrapixMutex"));
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    // The running instance restores its own hide. One that does not confirm (hung, failed, or
    // never listening) still holds its windows: recovering beside it would have two processes
    // work on them at once, so the exit code tells the failure instead.
    if (restoreOnly)
      return win32::AskRunningInstanceToRestore(kRestoreRequestBound)
                 ? 0
                 : win32::kRestoreNotConfirmedExitCode;
    ::MessageBoxW(nullptr, L"This application is already started!", L"Warning",
                  MB_OK | MB_ICONWARNING);
    return 0;
  }
  win32::Program program;
  return restoreOnly ? program.RecoverOnly() : program.Run(IsQuietStart(arguments));
}
