#include "actions/sound_test.h"

namespace dpx {
namespace {

// Puts the controls back as they were, however the test ends.
class HeldControls {
 public:
  explicit HeldControls(SoundTestControls& controls)
      : controls_(controls),
        caption_(controls.TestButtonCaption()),
        modifyChecked_(controls.ModifySoundChecked()) {
    controls_.SetTestButtonCaption(kPlayingSoundCaption);
    controls_.SetModifySoundChecked(true);
    controls_.EnableModifySound(false);
  }
  HeldControls(const HeldControls&) = delete;
  HeldControls& operator=(const HeldControls&) = delete;
  ~HeldControls() {
    controls_.SetTestButtonCaption(caption_);
    controls_.EnableModifySound(true);
    controls_.SetModifySoundChecked(modifyChecked_);
  }

 private:
  SoundTestControls& controls_;
  std::wstring caption_;
  bool modifyChecked_;
};

}  // namespace

void RunSoundTest(SoundAction& sound, SoundTestControls& controls) {
  HeldControls held(controls);
  sound.TestDesiredVolume();
}

}  // namespace dpx
