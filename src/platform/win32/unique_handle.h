#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>

#include <utility>

namespace dpx::win32 {

// Owns one Windows handle of a kind; move-only, so a copy can never close it twice.
template <typename Handle, auto Close, auto Invalid>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : handle_(other.Release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~UniqueResource() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid(); }
  Handle Release() { return std::exchange(handle_, Invalid()); }
  void Reset(Handle handle = Invalid()) {
    if (handle_ != Invalid()) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Invalid();
};

inline HANDLE NullHandle() {
  return nullptr;
}
inline HANDLE InvalidHandle() {
  return INVALID_HANDLE_VALUE;
}
inline void CloseKernelHandle(HANDLE handle) {
  ::CloseHandle(handle);
}

// Most kernel objects: null when absent.
using UniqueHandle = UniqueResource<HANDLE, CloseKernelHandle, NullHandle>;
// Files and snapshots: INVALID_HANDLE_VALUE when absent.
using UniqueFileHandle = UniqueResource<HANDLE, CloseKernelHandle, InvalidHandle>;

inline HKEY NullRegistryKey() {
  return nullptr;
}
inline void CloseRegistryKey(HKEY key) {
  ::RegCloseKey(key);
}
// Registry keys that DPX opened or created.
using UniqueRegistryKey = UniqueResource<HKEY, CloseRegistryKey, NullRegistryKey>;

inline HMODULE NullModule() {
  return nullptr;
}
inline void FreeLoadedLibrary(HMODULE module) {
  ::FreeLibrary(module);
}
// A library loaded at run time with LoadLibraryW.
using UniqueLibrary = UniqueResource<HMODULE, FreeLoadedLibrary, NullModule>;

inline HDESK NullDesktop() {
  return nullptr;
}
inline void CloseDesktopHandle(HDESK desktop) {
  ::CloseDesktop(desktop);
}
// A desktop opened with OpenDesktopW.
using UniqueDesktop = UniqueResource<HDESK, CloseDesktopHandle, NullDesktop>;

inline HWND NullWindow() {
  return nullptr;
}
inline void DestroyOwnedWindow(HWND window) {
  ::DestroyWindow(window);
}
// A window DPX created and destroys itself.
using UniqueWindow = UniqueResource<HWND, DestroyOwnedWindow, NullWindow>;

inline BCRYPT_ALG_HANDLE NullAlgorithmProvider() {
  return nullptr;
}
inline void CloseAlgorithmProvider(BCRYPT_ALG_HANDLE provider) {
  ::BCryptCloseAlgorithmProvider(provider, 0);
}
// A cryptographic algorithm provider opened with BCryptOpenAlgorithmProvider.
using UniqueAlgorithmProvider =
    UniqueResource<BCRYPT_ALG_HANDLE, CloseAlgorithmProvider, NullAlgorithmProvider>;

}  // namespace dpx::win32
