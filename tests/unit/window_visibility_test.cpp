#include <gtest/gtest.h>

#include "fakes/simulated_desktop.h"
#include "hide/window_visibility.h"

namespace dpx {
namespace {

// The simulated desktop, whose thread 7 stops answering as soon as one of its windows is shown.
class HangsAfterFirstShow final : public WindowManager {
 public:
  explicit HangsAfterFirstShow(fakes::SimulatedDesktop& desktop) : d_(desktop) {}
  WindowHandle TopWindow() override { return d_.TopWindow(); }
  WindowHandle NextWindow(WindowHandle w) override { return d_.NextWindow(w); }
  std::wstring WindowText(WindowHandle w, std::size_t n) override { return d_.WindowText(w, n); }
  std::wstring ClassName(WindowHandle w, std::size_t n) override { return d_.ClassName(w, n); }
  std::optional<WindowStyles> Styles(WindowHandle w) override { return d_.Styles(w); }
  WindowOwner Owner(WindowHandle w) override { return d_.Owner(w); }
  bool IsVisible(WindowHandle w) override { return d_.IsVisible(w); }
  std::uint32_t ExStyle(WindowHandle w) override { return d_.ExStyle(w); }
  void SetExStyle(WindowHandle w, std::uint32_t s) override { d_.SetExStyle(w, s); }
  void Show(WindowHandle w, ShowCommand c) override {
    d_.Show(w, c);
    d_.HangThread(7);
  }
  void ShowAsync(WindowHandle w, ShowCommand c) override { d_.ShowAsync(w, c); }
  void Post(WindowHandle w, std::uint32_t m) override { d_.Post(w, m); }
  bool SendNull(WindowHandle w, std::chrono::milliseconds b) override { return d_.SendNull(w, b); }
  WindowHandle FindByClass(const std::wstring& c) override { return d_.FindByClass(c); }
  WindowCallQueues& CallQueues() override { return d_.CallQueues(); }

 private:
  fakes::SimulatedDesktop& d_;
};

TEST(WindowVisibilityTest, AThreadThatHangsHalfWayIsNotWaitedForAgain) {
  for (const bool restoring : {true, false}) {
    SCOPED_TRACE(restoring ? "restore" : "hide");
    fakes::SimulatedDesktop desktop;
    const WindowHandle first = desktop.AddWindow({L"First", L"C", !restoring, 0x80, 7, 100});
    const WindowHandle second = desktop.AddWindow({L"Second", L"C", !restoring, 0x80, 7, 100});
    HangsAfterFirstShow windows(desktop);
    ThreadProbe probe(windows);
    for (const WindowHandle window : {first, second}) {
      if (restoring)
        ShowOneWindow(windows, probe, window, 0x100);
      else
        HideOneWindow(windows, probe, window);
    }
    for (const auto& call : desktop.log()) EXPECT_EQ(call.find(L"BLOCKED"), std::wstring::npos);
    EXPECT_EQ(desktop.log().back(),
              L"ShowAsync " + std::to_wstring(second) + (restoring ? L" 8" : L" 0"));
  }
}

}  // namespace
}  // namespace dpx
