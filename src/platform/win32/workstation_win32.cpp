#include "platform/win32/workstation_win32.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace dpx::win32 {
namespace {

class Win32LoadedLibrary final : public LoadedLibrary {
 public:
  explicit Win32LoadedLibrary(UniqueLibrary library) : library_(std::move(library)) {}

  std::function<bool()> BooleanFunction(const std::string& name) override {
    const FARPROC address = ::GetProcAddress(library_.Get(), name.c_str());
    if (address == nullptr) return {};
    using BooleanProc = BOOL(WINAPI*)();
    // Through void* because the export's real type differs from FARPROC's.
    const auto function = reinterpret_cast<BooleanProc>(reinterpret_cast<void*>(address));
    return [function] { return function() != FALSE; };
  }

 private:
  UniqueLibrary library_;
};

}  // namespace

std::unique_ptr<LoadedLibrary> Win32Workstation::LoadSystemLibrary(const std::wstring& name) {
  UniqueLibrary library(::LoadLibraryW(name.c_str()));
  if (!library) return nullptr;
  return std::make_unique<Win32LoadedLibrary>(std::move(library));
}

void Win32Workstation::PostToDesktopWindow(std::uint32_t message, std::uintptr_t wParam,
                                           std::intptr_t lParam) {
  ::PostMessageW(::GetDesktopWindow(), message, wParam, lParam);
}

}  // namespace dpx::win32
