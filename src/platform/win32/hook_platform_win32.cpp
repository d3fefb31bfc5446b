#include "platform/win32/hook_platform_win32.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/window_manager_win32.h"

namespace dpx::win32 {
namespace {

constexpr wchar_t kHookLibraryName[] = L"dozov.dll";
constexpr wchar_t kReceiverClass[] = L"DpxWatchReceiver";

// Through void* because an export's real type differs from FARPROC's.
template <typename Function>
Function EntryPoint(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

class Win32HookLibrary final : public HookLibrary {
 public:
  explicit Win32HookLibrary(UniqueLibrary library) : library_(std::move(library)) {}

  HookEntryPoints LookUpEntryPoints() override {
    using KindProc = void(WINAPI*)(INT32);
    using StillWatchingProc = BOOL(WINAPI*)();
    using StopAllProc = void(WINAPI*)();
    using SetReceiverProc = void(WINAPI*)(HWND);
    HookEntryPoints entries;
    if (auto start = EntryPoint<KindProc>(library_.Get(), "StartWatching"))
      entries.startWatching = [start](std::int32_t kind) { start(kind); };
    if (auto stop = EntryPoint<KindProc>(library_.Get(), "StopWatching"))
      entries.stopWatching = [stop](std::int32_t kind) { stop(kind); };
    // Only the low byte counts: a library may answer with a one-byte boolean.
    if (auto still = EntryPoint<StillWatchingProc>(library_.Get(), "StillWatching"))
      entries.stillWatching = [still] { return (still() & 0xFF) != 0; };
    if (auto stopAll = EntryPoint<StopAllProc>(library_.Get(), "StopAll"))
      entries.stopAll = [stopAll] { stopAll(); };
    if (auto setReceiver = EntryPoint<SetReceiverProc>(library_.Get(), "SetReceiver"))
      entries.setReceiver = [setReceiver](WindowHandle receiver) { setReceiver(ToHwnd(receiver)); };
    return entries;
  }

 private:
  UniqueLibrary library_;
};

// The window's procedure hands every message to the handler that it was created with.
struct ReceiverContext {
  ReceiverHandler handler;
  EventRunner runEvent;
};

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* context = reinterpret_cast<ReceiverContext*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  // Messages of the system (creation, destruction) are never the library's.
  if (context && message >= 0xC000) {
    bool handled = false;
    context->runEvent([&] { handled = context->handler(message, wParam, lParam); });
    if (handled) return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void RegisterReceiverClass() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ReceiverProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kReceiverClass;
  // A second registration fails harmlessly: the class is already there.
  ::RegisterClassW(&windowClass);
}

class Win32ReceiverWindow final : public ReceiverWindow {
 public:
  Win32ReceiverWindow(ReceiverHandler handler, EventRunner runEvent)
      : context_{std::move(handler), std::move(runEvent)} {
    RegisterReceiverClass();
    // Hidden for its whole life: it is never shown, so it is never one of the user's windows.
    window_ = ::CreateWindowExW(0, kReceiverClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), &context_);
  }
  Win32ReceiverWindow(const Win32ReceiverWindow&) = delete;
  Win32ReceiverWindow& operator=(const Win32ReceiverWindow&) = delete;
  ~Win32ReceiverWindow() override {
    if (window_) ::DestroyWindow(window_);
  }

  WindowHandle Handle() const override { return FromHwnd(window_); }

 private:
  ReceiverContext context_;
  HWND window_ = nullptr;
};

}  // namespace

std::uint32_t Win32HookPlatform::RegisterMessage(const std::wstring& name) {
  return ::RegisterWindowMessageW(name.c_str());
}

std::unique_ptr<HookLibrary> Win32HookPlatform::LoadHookLibrary() {
  UniqueLibrary library(::LoadLibraryW(libraryPath_.c_str()));
  if (!library) return nullptr;
  return std::make_unique<Win32HookLibrary>(std::move(library));
}

std::unique_ptr<ReceiverWindow> Win32HookPlatform::CreateReceiverWindow(ReceiverHandler handler) {
  return std::make_unique<Win32ReceiverWindow>(std::move(handler), runEvent_);
}

std::wstring HookLibraryBesideProgram() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1) + kHookLibraryName;
}

}  // namespace dpx::win32
