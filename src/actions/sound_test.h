#pragma once

#include <string>

#include "actions/sound_action.h"

namespace dpx {

// The controls of the Sound page that the test of the desired volume holds while it plays.
class SoundTestControls {
 public:
  virtual ~SoundTestControls() = default;

  virtual std::wstring TestButtonCaption() = 0;
  // The button repaints at once: the test blocks the message loop while it plays.
  virtual void SetTestButtonCaption(const std::wstring& caption) = 0;
  virtual bool ModifySoundChecked() = 0;
  virtual void SetModifySoundChecked(bool checked) = 0;
  virtual void EnableModifySound(bool enabled) = 0;
};

inline constexpr wchar_t kPlayingSoundCaption[] = L"Playing sound. Please wait...";

// The "Test desired volume settings" button: shows that the sound plays, holds "Modify sound"
// checked and disabled for the duration, runs the test, and gives both controls back their own
// state, also when the test fails.
void RunSoundTest(SoundAction& sound, SoundTestControls& controls);

}  // namespace dpx
