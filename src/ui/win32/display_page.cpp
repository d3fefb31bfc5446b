#include "ui/win32/display_page.h"

#include "actions/resolution_menu.h"
#include "ui/win32/display_test_dialog.h"
#include "ui/win32/resource.h"

namespace dpx::win32 {
namespace {

// Command ids of the menu items; 0 is the menu closed without a choice.
constexpr UINT kCurrentModeCommand = 1;
constexpr UINT kFirstModeCommand = 2;

}  // namespace

void DisplayPage::Create(HWND mainWindow) {
  mainWindow_ = mainWindow;
  menu_.Reset(::CreatePopupMenu());
  itemModes_.clear();
  for (const SizeItem& size : BuildResolutionMenu(modes_)) {
    const HMENU depths = ::CreatePopupMenu();
    ::AppendMenuW(menu_.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(depths), size.caption.c_str());
    for (const DepthItem& depth : size.depths) {
      const HMENU frequencies = ::CreatePopupMenu();
      ::AppendMenuW(depths, MF_POPUP, reinterpret_cast<UINT_PTR>(frequencies),
                    depth.caption.c_str());
      for (const FrequencyItem& frequency : depth.frequencies) {
        ::AppendMenuW(frequencies, MF_STRING, kFirstModeCommand + itemModes_.size(),
                      frequency.caption.c_str());
        itemModes_.push_back(frequency.modeNumber);
      }
    }
  }
  ::AppendMenuW(menu_.Get(), MF_STRING, kCurrentModeCommand, kCurrentModeItemCaption);
  ShowSelectedModeText();
  ShowCurrentModeText();
}

void DisplayPage::ShowSelectedModeText() {
  ::SetWindowTextW(control_(IDC_ED_RESOLUTION_INFO),
                   display_.DisplayModeText(options_.resolution).c_str());
}

void DisplayPage::ShowCurrentModeText() {
  ::SetWindowTextW(control_(IDC_ED_CURRENT_RESOLUTION),
                   display_.DisplayModeText(display_.CurrentModeIndex()).c_str());
}

void DisplayPage::DropResolutionMenu() {
  RECT button{};
  ::GetWindowRect(control_(IDC_BTN_SELECT_RESOLUTION), &button);
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(menu_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                       button.left, button.bottom, 0, mainWindow_, nullptr));
  if (command == kCurrentModeCommand) {
    options_.resolution = display_.CurrentModeIndex();
  } else if (command >= kFirstModeCommand && command - kFirstModeCommand < itemModes_.size()) {
    options_.resolution = itemModes_[command - kFirstModeCommand];
  } else {
    return;  // closed without a choice
  }
  ShowSelectedModeText();
}

void DisplayPage::TestSelectedMode() {
  // However the notice is closed, the test follows.
  ui_.ShowMessage(kModeTestNotice, MessageKind::kInformation, MessageButtons::kOk);
  ui::DisplayTestDialog dialog(mainWindow_);
  display_.TestSelectedMode(dialog);
  ShowCurrentModeText();
}

}  // namespace dpx::win32
