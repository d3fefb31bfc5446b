#include "fakes/simulated_wallpaper.h"

namespace dpx::fakes {

class SimActiveDesktop final : public ActiveDesktop {
 public:
  explicit SimActiveDesktop(SimulatedWallpaper& shell) : shell_(shell) {}

  bool IsEnabled() override {
    shell_.log_.push_back(L"enabled?");
    return shell_.activeDesktopOn_;
  }
  std::wstring Wallpaper() override {
    shell_.log_.push_back(L"get");
    // The object copies into a buffer of 260 characters, terminating zero included.
    return shell_.objectWallpaper_.substr(0, kActiveDesktopPathChars - 1);
  }
  void SetWallpaper(const std::wstring& path) override {
    shell_.log_.push_back(L"set " + path);
    shell_.objectWallpaper_ = path.size() < kActiveDesktopPathChars ? path : L"";
  }

 private:
  SimulatedWallpaper& shell_;
};

std::unique_ptr<ActiveDesktop> SimulatedWallpaper::OpenActiveDesktop() {
  log_.push_back(L"open");
  if (!objectAvailable_) return nullptr;
  return std::make_unique<SimActiveDesktop>(*this);
}

void SimulatedWallpaper::ApplyRegistryWallpaper() {
  log_.push_back(L"notice");
  shownFromRegistry_ =
      registry_.ReadString(L"Control Panel\\Desktop", L"Wallpaper").value_or(RegistryString{}).text;
}

}  // namespace dpx::fakes
