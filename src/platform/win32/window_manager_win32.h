#pragma once

#include <windows.h>

#include "platform/win32/worker_call_queues.h"
#include "platform/window_manager.h"

namespace dpx::win32 {

inline HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
inline WindowHandle FromHwnd(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

class Win32WindowManager final : public WindowManager {
 public:
  WindowHandle TopWindow() override;
  WindowHandle NextWindow(WindowHandle window) override;
  std::wstring WindowText(WindowHandle window, std::size_t bufferChars) override;
  std::wstring ClassName(WindowHandle window, std::size_t bufferChars) override;
  std::optional<WindowStyles> Styles(WindowHandle window) override;
  WindowOwner Owner(WindowHandle window) override;
  bool IsVisible(WindowHandle window) override;
  std::uint32_t ExStyle(WindowHandle window) override;
  void SetExStyle(WindowHandle window, std::uint32_t exStyle) override;
  void Show(WindowHandle window, ShowCommand command) override;
  void ShowAsync(WindowHandle window, ShowCommand command) override;
  void Post(WindowHandle window, std::uint32_t message) override;
  bool SendNull(WindowHandle window, std::chrono::milliseconds bound) override;
  WindowHandle FindByClass(const std::wstring& className) override;
  WindowCallQueues& CallQueues() override { return callQueues_; }

 private:
  WorkerCallQueues callQueues_;
};

}  // namespace dpx::win32
