#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/workstation.h"

namespace dpx::fakes {

// The system libraries and desktop window of the simulated desktop. Every load, release, call
// of an export and posted message is logged in order.
class FakeWorkstation final : public Workstation {
 public:
  FakeWorkstation();

  // Library name -> the exports it has; a name not listed cannot be loaded.
  std::map<std::wstring, std::set<std::string>> libraries;
  // e.g. "LoadLibrary User32.Dll", "FreeLibrary User32.Dll", "Call LockWorkStation",
  // "PostToDesktop 0x112 0xf140 0".
  std::vector<std::string> log;
  int librariesHeld = 0;

  std::unique_ptr<LoadedLibrary> LoadSystemLibrary(const std::wstring& name) override;
  void PostToDesktopWindow(std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;
};

}  // namespace dpx::fakes
