#include "platform/win32/desktop_wallpaper_win32.h"

// IActiveDesktop and its option records are declared only after the internet headers.
#include <wininet.h>

#include <shlguid.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/setting_change.h"

namespace dpx::win32 {
namespace {

constexpr DWORD kInProcOrLocalServer = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER;  // 5

class Win32ActiveDesktop final : public ActiveDesktop {
 public:
  explicit Win32ActiveDesktop(ComPtr<IActiveDesktop> desktop) : desktop_(std::move(desktop)) {}

  bool IsEnabled() override {
    COMPONENTSOPT options{};
    options.dwSize = sizeof options;  // 12
    desktop_.Get()->GetDesktopItemOptions(&options, 0);
    return options.fActiveDesktop != FALSE;
  }

  std::wstring Wallpaper() override {
    std::vector<wchar_t> buffer(kActiveDesktopPathChars, L'\0');
    desktop_.Get()->GetWallpaper(buffer.data(), static_cast<UINT>(buffer.size()), 0);
    buffer.back() = L'\0';
    return buffer.data();
  }

  void SetWallpaper(const std::wstring& path) override {
    std::vector<wchar_t> buffer(kActiveDesktopPathChars, L'\0');
    if (path.size() < buffer.size()) path.copy(buffer.data(), path.size());
    desktop_.Get()->SetWallpaper(buffer.data(), 0);
    desktop_.Get()->ApplyChanges(AD_APPLY_ALL);  // save, regenerate and refresh
  }

 private:
  ComPtr<IActiveDesktop> desktop_;
};

}  // namespace

std::unique_ptr<ActiveDesktop> Win32DesktopWallpaper::OpenActiveDesktop() {
  IUnknown* created = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ActiveDesktop, nullptr, kInProcOrLocalServer, IID_IUnknown,
                                reinterpret_cast<void**>(&created))))
    return nullptr;
  const ComPtr<IUnknown> object(created);
  ComPtr<IActiveDesktop> desktop =
      QueryComInterface<IActiveDesktop>(object.Get(), IID_IActiveDesktop);
  if (!desktop) return nullptr;
  return std::make_unique<Win32ActiveDesktop>(std::move(desktop));
}

void Win32DesktopWallpaper::ApplyRegistryWallpaper() {
  // No picture argument: the desktop reads the registry value just written. Announced without
  // waiting on other programs (SPIF_SENDWININICHANGE would wait on every top-level window).
  ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, nullptr, SPIF_UPDATEINIFILE);
  AnnounceSettingChange(SPI_SETDESKWALLPAPER);
}

}  // namespace dpx::win32
