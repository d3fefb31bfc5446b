#include "ui/win32/sound_page.h"

#include <commctrl.h>

#include "actions/volume_value.h"
#include "ui/win32/resource.h"

namespace dpx::win32 {

void SoundPage::RefreshCurrentVolume() {
  const std::optional<VolumeState> current = sound_.CurrentVolume();
  if (!current) return;
  ::SendMessageW(control_(IDC_SLIDER_GLOBAL_VOLUME), TBM_SETPOS, TRUE,
                 SliderPositionFromVolume(current->volume));
  ::SendMessageW(control_(IDC_CB_GLOBAL_MUTED), BM_SETCHECK,
                 current->muted ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::wstring SoundPage::TestButtonCaption() {
  const HWND button = control_(IDC_BTN_TEST_SOUND);
  std::wstring caption(static_cast<std::size_t>(::GetWindowTextLengthW(button)) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(
      ::GetWindowTextW(button, caption.data(), static_cast<int>(caption.size()))));
  return caption;
}

void SoundPage::SetTestButtonCaption(const std::wstring& caption) {
  const HWND button = control_(IDC_BTN_TEST_SOUND);
  ::SetWindowTextW(button, caption.c_str());
  // The sound plays on this thread, so no paint message would come before it has ended.
  ::UpdateWindow(button);
}

bool SoundPage::ModifySoundChecked() {
  return ::SendMessageW(control_(IDC_CB_MODIFY_VOLUME), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The box is the option: both change together.
void SoundPage::SetModifySoundChecked(bool checked) {
  ::SendMessageW(control_(IDC_CB_MODIFY_VOLUME), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED,
                 0);
  options_.modifyVolume = checked;
}

void SoundPage::EnableModifySound(bool enabled) {
  const HWND box = control_(IDC_CB_MODIFY_VOLUME);
  ::EnableWindow(box, enabled);
  ::UpdateWindow(box);
}

}  // namespace dpx::win32
