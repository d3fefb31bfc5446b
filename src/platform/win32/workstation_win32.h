#pragma once

#include "platform/workstation.h"

namespace dpx::win32 {

class Win32Workstation final : public Workstation {
 public:
  std::unique_ptr<LoadedLibrary> LoadSystemLibrary(const std::wstring& name) override;
  void PostToDesktopWindow(std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;
};

}  // namespace dpx::win32
