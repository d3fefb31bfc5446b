#include "hide/watch.h"

namespace dpx {
namespace {

// A window title is read into a buffer of this many characters: at most 300 characters.
constexpr std::size_t kTitleBufferChars = 301;

constexpr std::uint64_t kLeftButtonDown = 0x0201;    // WM_LBUTTONDOWN
constexpr std::uint64_t kRightButtonDown = 0x0204;   // WM_RBUTTONDOWN
constexpr std::uint64_t kMiddleButtonDown = 0x0207;  // WM_MBUTTONDOWN

// The library packs the pointer's screen position into lParam as a mouse message does: x in the
// low word, y in the high word, each signed.
std::int32_t LowWord(std::int64_t value) {
  return static_cast<std::int16_t>(value & 0xFFFF);
}
std::int32_t HighWord(std::int64_t value) {
  return static_cast<std::int16_t>((value >> 16) & 0xFFFF);
}

}  // namespace

TWatch::TWatch(HookPlatform& platform, WindowManager& windows, const ProgramWindow& program,
               UserInteraction& ui)
    : platform_(platform), windows_(windows), program_(program), ui_(ui) {
  std::uint32_t* const numbers[] = {&sysCommandMessage_, &shellMessage_, &keyMessage_,
                                    &keyLowLevelMessage_, &mouseMessage_};
  for (std::size_t i = 0; i < kWatchMessageNames.size(); ++i)
    *numbers[i] = platform_.RegisterMessage(kWatchMessageNames[i]);
}

TWatch::~TWatch() {
  if (entryPoints_.stopAll) entryPoints_.stopAll();
  UnloadHookLibrary();
}

void TWatch::SetOnActivateShellWindow(TShellEvent handler) {
  Assign(onActivateShellWindow_, std::move(handler), watch_kind::kShell);
}
void TWatch::SetOnWindowActivated(TShellEvent handler) {
  Assign(onWindowActivated_, std::move(handler), watch_kind::kShell);
}
void TWatch::SetOnWindowCreated(TShellEvent handler) {
  Assign(onWindowCreated_, std::move(handler), watch_kind::kShell);
}
void TWatch::SetOnWindowDestroyed(TShellEvent handler) {
  Assign(onWindowDestroyed_, std::move(handler), watch_kind::kShell);
}
void TWatch::SetOnWindowCloseQuery(TShellEvent handler) {
  Assign(onWindowCloseQuery_, std::move(handler), watch_kind::kCloseQuery);
}
void TWatch::SetOnKeyNative(TKeyNativeEvent handler) {
  Assign(onKeyNative_, std::move(handler), watch_kind::kKey);
}
void TWatch::SetOnKeyNativeLL(TKeyNativeEventLL handler) {
  Assign(onKeyNativeLL_, std::move(handler), watch_kind::kKeyLowLevel);
}
void TWatch::SetOnMouseClick(TMouseEvent handler) {
  Assign(onMouseClick_, std::move(handler), watch_kind::kMouse);
}
void TWatch::SetOnMouseMove(TMouseMoveEvent handler) {
  Assign(onMouseMove_, std::move(handler), watch_kind::kMouse);
}

template <typename Handler>
void TWatch::Assign(Handler& slot, Handler handler, std::int32_t kind) {
  slot = std::move(handler);
  if (slot) {
    LoadHookLibrary();
    if (entryPoints_.startWatching) entryPoints_.startWatching(kind);
    return;
  }
  if (!library_ || !entryPoints_.stopWatching) return;
  // Several events share a kind: removing one handler must not silence the others.
  if (KindHasHandler(kind)) return;
  entryPoints_.stopWatching(kind);
  if (!entryPoints_.stillWatching()) UnloadHookLibrary();
}

bool TWatch::KindHasHandler(std::int32_t kind) const {
  switch (kind) {
    case watch_kind::kShell:
      return onActivateShellWindow_ || onWindowActivated_ || onWindowCreated_ || onWindowDestroyed_;
    case watch_kind::kCloseQuery:
      return static_cast<bool>(onWindowCloseQuery_);
    case watch_kind::kKey:
      return static_cast<bool>(onKeyNative_);
    case watch_kind::kKeyLowLevel:
      return static_cast<bool>(onKeyNativeLL_);
    case watch_kind::kMouse:
      return onMouseClick_ || onMouseMove_;
  }
  return false;
}

void TWatch::LoadHookLibrary() {
  if (disabled_ || library_) return;
  library_ = platform_.LoadHookLibrary();
  if (!library_) {
    Disable(kLibraryNotFound);
    return;
  }
  receiver_ = platform_.CreateReceiverWindow(
      [this](std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
        return Dispatch(message, wParam, lParam);
      });
  entryPoints_ = library_->LookUpEntryPoints();
  if (!entryPoints_.startWatching || !entryPoints_.stopWatching || !entryPoints_.stillWatching ||
      !entryPoints_.stopAll) {
    Disable(kLibraryNotValid);
    return;
  }
  if (entryPoints_.setReceiver) entryPoints_.setReceiver(receiver_->Handle());
}

void TWatch::Disable(const wchar_t* message) {
  // Cleared before the box is shown: nothing of the library is left to reach while it waits.
  UnloadHookLibrary();
  disabled_ = true;
  ui_.ShowMessage(message, MessageKind::kError, MessageButtons::kOk);
}

void TWatch::UnloadHookLibrary() {
  receiver_.reset();
  entryPoints_ = {};
  library_.reset();
}

bool TWatch::Dispatch(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
  // A message that failed to register has number 0; it must not claim WM_NULL.
  if (message == 0) return false;
  if (message == sysCommandMessage_) {
    if (onWindowCloseQuery_) onWindowCloseQuery_(*this, wParam, L"");
  } else if (message == shellMessage_) {
    DispatchShell(wParam, lParam);
  } else if (message == keyMessage_) {
    if (onKeyNative_)
      onKeyNative_(*this, static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
  } else if (message == keyLowLevelMessage_) {
    if (onKeyNativeLL_)
      onKeyNativeLL_(*this, static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
  } else if (message == mouseMessage_) {
    DispatchMouse(wParam, lParam);
  } else {
    return false;
  }
  return true;
}

void TWatch::DispatchShell(WindowHandle window, std::int64_t code) {
  if (!notifyOwnEvents_ && program_.IsApplicationWindow(window)) return;
  const std::wstring title = windows_.WindowText(window, kTitleBufferChars);
  const TShellEvent* handler = nullptr;
  switch (code) {
    case shell_code::kWindowCreated:
      handler = &onWindowCreated_;
      break;
    case shell_code::kWindowDestroyed:
      handler = &onWindowDestroyed_;
      break;
    case shell_code::kActivateShellWindow:
      handler = &onActivateShellWindow_;
      break;
    case shell_code::kWindowActivated:
      if (!repeatedEvents_ && title == lastActivatedTitle_) return;
      handler = &onWindowActivated_;
      break;
    default:
      return;
  }
  if (*handler) (*handler)(*this, window, title);
  if (code == shell_code::kWindowActivated) lastActivatedTitle_ = title;
}

void TWatch::DispatchMouse(std::uint64_t buttonMessage, std::int64_t point) {
  TMouseButton button;
  switch (buttonMessage) {
    case kLeftButtonDown:
      button = TMouseButton::mbLeft;
      break;
    case kRightButtonDown:
      button = TMouseButton::mbRight;
      break;
    case kMiddleButtonDown:
      button = TMouseButton::mbMiddle;
      break;
    default:
      return;
  }
  if (onMouseClick_) onMouseClick_(*this, LowWord(point), HighWord(point), button);
}

}  // namespace dpx
