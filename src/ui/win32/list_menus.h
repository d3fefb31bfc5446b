#pragma once

#include <windows.h>

#include "app/list_editing.h"
#include "ui/win32/ui_handles.h"

namespace dpx::win32 {

// What an item of the lists' pop-up menus does.
enum class ListCommand : UINT {
  kNone = 0,  // the menu was closed without a choice
  kAddToExcludeList,
  kRefreshList,
  kToggleAllWindows,
  kRemoveSelectedEntry,
  kClearExcludeList,
  kAddApplicationFromDisk,
  kClearBringToTopList,
};

// The pop-up menus of the three lists of the Windows page (popMenuAvailableWindows,
// popMenuDoNotHideList, PopMenuBringToTopList), built in code. An item with a hint shows it
// beside the item while the item is highlighted.
class ListMenus {
 public:
  // `owner` gets the menus' WM_MENUSELECT messages and passes them to OnMenuSelect.
  explicit ListMenus(HWND owner);

  // Shows the menu of `list` at the screen point and waits for the user's choice. In the Do not
  // hide list's menu, the items that act on a row are enabled only when a row is selected.
  ListCommand Track(PageList list, POINT at, bool rowSelected);
  void OnMenuSelect(WPARAM wParam, LPARAM lParam);

 private:
  void ShowHint(HMENU menu, UINT item, const wchar_t* hint);
  void HideHint();

  HWND owner_;
  UniqueMenu available_;
  UniqueMenu exclude_;
  UniqueMenu bringToTop_;
  UniqueWindow hintTip_;
};

}  // namespace dpx::win32
