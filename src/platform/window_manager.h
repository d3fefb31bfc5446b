#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"
#include "platform/window_call_queues.h"

namespace dpx {

// Window messages and show commands DPX sends, with their Windows values.
namespace wm {
inline constexpr std::uint32_t kNull = 0x0000;
inline constexpr std::uint32_t kPaint = 0x000F;
inline constexpr std::uint32_t kClose = 0x0010;
}  // namespace wm

enum class ShowCommand : int { kHide = 0, kShowMinimized = 2, kShowNoActivate = 8, kRestore = 9 };

inline constexpr std::uint32_t kStyleVisible = 0x10000000;  // WS_VISIBLE
inline constexpr std::uint32_t kExStyleToolWindow = 0x80;   // WS_EX_TOOLWINDOW

struct WindowStyles {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
};

struct WindowOwner {
  ThreadId thread = 0;
  ProcessId process = 0;
};

// The window manager as DPX uses it: top-level windows of the desktop, read and shown or hidden.
// Calls on a dead handle fail quietly, as the real window manager does.
class WindowManager {
 public:
  virtual ~WindowManager() = default;

  // The Z-order walk: topmost first, then each next one; kNoWindow ends it.
  virtual WindowHandle TopWindow() = 0;
  virtual WindowHandle NextWindow(WindowHandle window) = 0;

  // Text as a buffer of `bufferChars` characters receives it: at most bufferChars - 1.
  virtual std::wstring WindowText(WindowHandle window, std::size_t bufferChars) = 0;
  virtual std::wstring ClassName(WindowHandle window, std::size_t bufferChars) = 0;
  // Style and extended style from the window information; nullopt for a dead window.
  virtual std::optional<WindowStyles> Styles(WindowHandle window) = 0;
  virtual WindowOwner Owner(WindowHandle window) = 0;
  virtual bool IsVisible(WindowHandle window) = 0;

  virtual std::uint32_t ExStyle(WindowHandle window) = 0;
  virtual void SetExStyle(WindowHandle window, std::uint32_t exStyle) = 0;
  virtual void Show(WindowHandle window, ShowCommand command) = 0;
  // Returns at once; the window's own thread carries it out when it next pumps messages.
  virtual void ShowAsync(WindowHandle window, ShowCommand command) = 0;
  virtual void Post(WindowHandle window, std::uint32_t message) = 0;
  // Sends WM_NULL and waits at most `bound` for the window's thread to handle it.
  // False when the thread did not answer in time (or the window is gone).
  virtual bool SendNull(WindowHandle window, std::chrono::milliseconds bound) = 0;

  // A top-level window of this class, any title; kNoWindow when there is none.
  virtual WindowHandle FindByClass(const std::wstring& className) = 0;

  // Where the calls that may wait on a window's thread go during a hide or restore pass.
  virtual WindowCallQueues& CallQueues() = 0;
};

}  // namespace dpx
