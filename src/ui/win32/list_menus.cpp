#include "ui/win32/list_menus.h"

#include <initializer_list>

namespace dpx::win32 {
namespace {

constexpr wchar_t kAllWindowsHint[] =
    L"Set All windows to 'yes' to hide all windows of the selected application (regardless the "
    L"window's title)";

struct MenuItem {
  ListCommand command;  // kNone: a separator
  const wchar_t* caption;
};

UniqueMenu BuildMenu(std::initializer_list<MenuItem> items) {
  UniqueMenu menu(::CreatePopupMenu());
  for (const MenuItem& item : items) {
    if (item.command == ListCommand::kNone)
      ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    else
      ::AppendMenuW(menu.Get(), MF_STRING, static_cast<UINT_PTR>(item.command), item.caption);
  }
  return menu;
}

UINT Id(ListCommand command) {
  return static_cast<UINT>(command);
}

}  // namespace

ListMenus::ListMenus(HWND owner)
    : owner_(owner),
      available_(BuildMenu({{ListCommand::kAddToExcludeList, L"Add to 'Do not hide list'"},
                            {ListCommand::kRefreshList, L"Refresh List\tF5"}})),
      exclude_(BuildMenu({{ListCommand::kToggleAllWindows, L"All windows/This window"},
                          {ListCommand::kNone, nullptr},
                          {ListCommand::kRemoveSelectedEntry, L"Remove Selected Entry"},
                          {ListCommand::kClearExcludeList, L"Clear List"},
                          {ListCommand::kNone, nullptr},
                          {ListCommand::kAddApplicationFromDisk, L"Add application from disk"}})),
      bringToTop_(BuildMenu({{ListCommand::kClearBringToTopList, L"Clear List"}})),
      hintTip_(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr)) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = owner_;
  tool.lpszText = const_cast<wchar_t*>(L"");
  ::SendMessageW(hintTip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  ::SendMessageW(hintTip_.Get(), TTM_SETMAXTIPWIDTH, 0, 400);
}

ListCommand ListMenus::Track(PageList list, POINT at, bool rowSelected) {
  HMENU menu = list == PageList::kAvailableWindows ? available_.Get()
               : list == PageList::kExclude        ? exclude_.Get()
                                                   : bringToTop_.Get();
  if (list == PageList::kExclude) {
    const UINT state = MF_BYCOMMAND | (rowSelected ? MF_ENABLED : MF_GRAYED);
    ::EnableMenuItem(menu, Id(ListCommand::kToggleAllWindows), state);
    ::EnableMenuItem(menu, Id(ListCommand::kRemoveSelectedEntry), state);
  }
  const UINT chosen = static_cast<UINT>(
      ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner_, nullptr));
  HideHint();
  return static_cast<ListCommand>(chosen);
}

void ListMenus::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  const auto menu = reinterpret_cast<HMENU>(lParam);
  const UINT item = LOWORD(wParam);
  const UINT flags = HIWORD(wParam);
  const bool isCommand = menu && !(flags & (MF_POPUP | MF_SEPARATOR));
  if (isCommand && menu == exclude_.Get() && item == Id(ListCommand::kToggleAllWindows))
    ShowHint(menu, item, kAllWindowsHint);
  else
    HideHint();
}

void ListMenus::ShowHint(HMENU menu, UINT item, const wchar_t* hint) {
  // The position of an item is asked by its index.
  int index = -1;
  for (int i = 0, count = ::GetMenuItemCount(menu); i < count; ++i)
    if (::GetMenuItemID(menu, i) == item) index = i;
  RECT itemRect{};
  if (index < 0 || !::GetMenuItemRect(nullptr, menu, static_cast<UINT>(index), &itemRect)) return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner_;
  tool.lpszText = const_cast<wchar_t*>(hint);
  ::SendMessageW(hintTip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  // Beside the menu, so that it covers none of the other items.
  ::SendMessageW(hintTip_.Get(), TTM_TRACKPOSITION, 0,
                 MAKELPARAM(itemRect.right + 2, itemRect.top));
  ::SendMessageW(hintTip_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void ListMenus::HideHint() {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner_;
  ::SendMessageW(hintTip_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace dpx::win32
