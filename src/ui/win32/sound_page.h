#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "actions/sound_action.h"
#include "actions/sound_test.h"

namespace dpx::win32 {

// The Sound sub-page's indicator and test over the sound action. `control` finds a control of
// the page by its id once the page exists.
class SoundPage final : private SoundTestControls {
 public:
  SoundPage(SoundAction& sound, Options& options, std::function<HWND(int)> control)
      : sound_(sound), options_(options), control_(std::move(control)) {}

  // RefreshCurrentVolume: the endpoint's level and mute state in the "Current" group; an
  // endpoint that cannot be read leaves the indicator as it is.
  void RefreshCurrentVolume();
  // "Test desired volume settings": plays the test sound at the desired level, then puts the
  // endpoint back.
  void TestDesiredVolume() { RunSoundTest(sound_, *this); }

 private:
  // SoundTestControls
  std::wstring TestButtonCaption() override;
  void SetTestButtonCaption(const std::wstring& caption) override;
  bool ModifySoundChecked() override;
  void SetModifySoundChecked(bool checked) override;
  void EnableModifySound(bool enabled) override;

  SoundAction& sound_;
  Options& options_;
  std::function<HWND(int)> control_;
};

}  // namespace dpx::win32
