#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/user_interaction.h"
#include "hide/program_window.h"
#include "platform/hook_library.h"
#include "platform/window_manager.h"

namespace dpx {

class TWatch;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TShellEvent =
    std::function<void(TWatch& Sender, WindowHandle Handle, const std::wstring& AppName)>;
using TKeyNativeEvent =
    std::function<void(TWatch& Sender, std::int32_t wParam, std::int32_t lParam)>;
using TKeyNativeEventLL =
    std::function<void(TWatch& Sender, std::int32_t wParam, std::int32_t lParam)>;
using TMouseEvent =
    std::function<void(TWatch& Sender, std::int32_t X, std::int32_t Y, TMouseButton button)>;
using TMouseMoveEvent = std::function<void(TWatch& Sender, std::int32_t X, std::int32_t Y)>;

// The kinds of notification the hook library delivers, as its StartWatching takes them.
namespace watch_kind {
inline constexpr std::int32_t kShell = 0;
inline constexpr std::int32_t kKey = 1;
inline constexpr std::int32_t kMouse = 4;
inline constexpr std::int32_t kKeyLowLevel = 6;
inline constexpr std::int32_t kCloseQuery = 8;
}  // namespace watch_kind

// The codes of the shell notifications, which the library sends in lParam of "MY_SHELL_EVENT".
namespace shell_code {
inline constexpr std::int64_t kWindowCreated = 1;
inline constexpr std::int64_t kWindowDestroyed = 2;
inline constexpr std::int64_t kActivateShellWindow = 3;
inline constexpr std::int64_t kWindowActivated = 4;
}  // namespace shell_code

// The registered messages, in the order they are registered.
inline constexpr std::array<const wchar_t*, 5> kWatchMessageNames{
    L"MY_SYSCOMMAND_EVENT", L"MY_SHELL_EVENT", L"MY_KEY_EVENT", L"MY_KEY_EVENT_LL",
    L"MY_MOUSE_EVENT"};

inline constexpr wchar_t kLibraryNotFound[] = L"Library not found.\r\nApplication is disabled.";
inline constexpr wchar_t kLibraryNotValid[] = L"Library is not valid.\r\nApplication is disabled.";

// The new-window watcher: wraps the hook library, which it loads when the first handler is
// assigned, and turns the library's messages into events. A library that fails to load is
// reported once and never tried again; the program goes on without the watcher.
class TWatch {
 public:
  TWatch(HookPlatform& platform, WindowManager& windows, const ProgramWindow& program,
         UserInteraction& ui);
  TWatch(const TWatch&) = delete;
  TWatch& operator=(const TWatch&) = delete;
  // Stops every delivery, then unloads the library.
  ~TWatch();

  // Assigning a handler starts its kind of notification (loading the library first); removing
  // one (an empty handler) stops the kind once no other event of that kind has a handler.
  void SetOnActivateShellWindow(TShellEvent handler);
  void SetOnWindowActivated(TShellEvent handler);
  void SetOnWindowCreated(TShellEvent handler);
  void SetOnWindowDestroyed(TShellEvent handler);
  void SetOnWindowCloseQuery(TShellEvent handler);
  void SetOnKeyNative(TKeyNativeEvent handler);
  void SetOnKeyNativeLL(TKeyNativeEventLL handler);
  void SetOnMouseClick(TMouseEvent handler);
  void SetOnMouseMove(TMouseMoveEvent handler);

  // When false, shell notifications about the program's application window are dropped.
  bool NotifyOwnEvents() const { return notifyOwnEvents_; }
  void SetNotifyOwnEvents(bool value) { notifyOwnEvents_ = value; }
  // When false, a window activation with the same title as the last one passed on is dropped.
  bool RepeatedEvents() const { return repeatedEvents_; }
  void SetRepeatedEvents(bool value) { repeatedEvents_ = value; }

  bool LibraryLoaded() const { return library_ != nullptr; }
  bool Disabled() const { return disabled_; }

  // The receiver window's procedure: raises the event a library message stands for. False for a
  // message that is not one of the library's.
  bool Dispatch(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);

 private:
  template <typename Handler>
  void Assign(Handler& slot, Handler handler, std::int32_t kind);
  bool KindHasHandler(std::int32_t kind) const;
  void LoadHookLibrary();
  void Disable(const wchar_t* message);
  void UnloadHookLibrary();
  void DispatchShell(WindowHandle window, std::int64_t code);
  void DispatchMouse(std::uint64_t buttonMessage, std::int64_t point);

  HookPlatform& platform_;
  WindowManager& windows_;
  const ProgramWindow& program_;
  UserInteraction& ui_;

  std::unique_ptr<ReceiverWindow> receiver_;
  std::unique_ptr<HookLibrary> library_;
  bool disabled_ = false;
  std::uint32_t sysCommandMessage_ = 0;
  std::uint32_t shellMessage_ = 0;
  std::uint32_t keyMessage_ = 0;
  std::uint32_t keyLowLevelMessage_ = 0;
  std::uint32_t mouseMessage_ = 0;
  HookEntryPoints entryPoints_;
  bool notifyOwnEvents_ = false;
  bool repeatedEvents_ = false;
  std::wstring lastActivatedTitle_;

  TShellEvent onActivateShellWindow_;
  TShellEvent onWindowActivated_;
  TShellEvent onWindowCreated_;
  TShellEvent onWindowDestroyed_;
  TShellEvent onWindowCloseQuery_;
  TKeyNativeEvent onKeyNative_;
  TKeyNativeEventLL onKeyNativeLL_;
  TMouseEvent onMouseClick_;
  TMouseMoveEvent onMouseMove_;
};

}  // namespace dpx
