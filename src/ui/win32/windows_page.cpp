#include "ui/win32/windows_page.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "ui/win32/file_icons.h"
#include "ui/win32/help.h"
#include "ui/win32/open_file_dialog.h"
#include "ui/win32/pictures.h"
#include "ui/win32/resource.h"

namespace dpx::win32 {
namespace {

constexpr wchar_t kSplitterClass[] = L"DpxSplitter";
// Sent by the splitter to its page while it is dragged: wParam is the new left edge in the
// page's client coordinates; lParam is 1 once the drag has ended.
constexpr UINT kSplitterMoved = WM_APP + 1;
// Sent by a list to its page for a key: wParam is the key code, LOWORD(lParam) the list's id and
// HIWORD(lParam) 1 when the key was released.
constexpr UINT kListKey = WM_APP + 2;

struct ListBinding {
  int id;
  PageList list;
};
constexpr ListBinding kLists[] = {
    {IDC_AVAILABLE_LIST, PageList::kAvailableWindows},
    {IDC_EXCLUDE_LIST, PageList::kExclude},
    {IDC_BTT_LIST, PageList::kBringToTop},
};

struct CheckBinding {
  int id;
  bool Options::*option;
};
constexpr CheckBinding kSpecialWindowChecks[] = {
    {IDC_CB_HIDE_DESKTOP, &Options::hideDesktop},
    {IDC_CB_HIDE_TASKBAR, &Options::hideTaskBar},
    {IDC_CB_HIDE_TRAY, &Options::hideTray},
};

// Controls of the left half widen with the splitter; those of the right half move with it.
constexpr int kLeftHalf[] = {IDC_AVAILABLE_CAPTION, IDC_AVAILABLE_LIST, IDC_GB_SPECIAL};
constexpr int kRightHalf[] = {IDC_EXCLUDE_CAPTION, IDC_EXCLUDE_LIST, IDC_BTT_CAPTION, IDC_BTT_LIST};

LRESULT CALLBACK SplitterProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      ::SetCapture(window);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
      if (::GetCapture() != window) break;
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ::MapWindowPoints(window, ::GetParent(window), &at, 1);
      const bool ended = message == WM_LBUTTONUP;
      if (ended) ::ReleaseCapture();
      ::SendMessageW(::GetParent(window), kSplitterMoved, static_cast<WPARAM>(at.x), ended);
      return 0;
    }
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void RegisterSplitterClass() {
  WNDCLASSEXW splitter{};
  splitter.cbSize = sizeof splitter;
  splitter.lpfnWndProc = SplitterProcedure;
  splitter.hInstance = ::GetModuleHandleW(nullptr);
  splitter.hCursor = ::LoadCursorW(nullptr, IDC_SIZEWE);
  splitter.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  splitter.lpszClassName = kSplitterClass;
  ::RegisterClassExW(&splitter);  // fails harmlessly when already registered
}

RECT ChildRect(HWND parent, HWND child) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void AppendRow(HWND list, int index, const std::wstring& caption,
               std::initializer_list<std::wstring> subItems, int image = I_IMAGENONE) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(caption.c_str());
  item.lParam = index;
  item.iImage = image;
  const int row = ListView_InsertItem(list, &item);
  int column = 1;
  for (const std::wstring& text : subItems)
    ListView_SetItemText(list, row, column++, const_cast<wchar_t*>(text.c_str()));
}

}  // namespace

void WindowsPage::Create(HWND mainWindow, Tooltips& tips) {
  tips_ = &tips;
  RegisterSplitterClass();
  DialogWindow::Create(IDD_PAGE_WINDOWS, mainWindow);
  ::SetWindowContextHelpId(Handle(), help::kWindowsPage);
}

std::optional<INT_PTR> WindowsPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == LVN_BEGINDRAG)
        drag_->Begin(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom);
      return 0;
    case WM_MOUSEMOVE:
      drag_->OnMouseMove();
      return TRUE;
    case WM_LBUTTONUP:
      if (const auto drop = drag_->OnButtonUp()) OnDrop(drop->first, drop->second);
      return TRUE;
    case WM_CAPTURECHANGED:
      drag_->OnCaptureChanged();
      return TRUE;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
      return TRUE;
    case WM_MENUSELECT:
      menus_->OnMenuSelect(wParam, lParam);
      return TRUE;
    case kListKey:
      OnListKey(LOWORD(lParam), wParam, HIWORD(lParam) != 0);
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      wchar_t text[256] = L"";
      ::GetWindowTextW(item->hwndItem, text, 256);
      DrawCaptionBar(item->hDC, item->rcItem, text);
      return TRUE;
    }
    case kSplitterMoved:
      MoveSplitter(static_cast<int>(wParam));
      if (lParam) {
        // Once the user has moved it, the whole window is repainted, every control included.
        ::RedrawWindow(::GetAncestor(Handle(), GA_ROOT), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      }
      return TRUE;
  }
  return std::nullopt;
}

void WindowsPage::OnInit() {
  AddColumns(IDC_AVAILABLE_LIST, {{L"Application Name", 85}, {L"Window Title", 150}});
  AddColumns(IDC_EXCLUDE_LIST, {{L"Application Name", 85}, {L"Window Title", 130}, {L"All", 24}});
  AddColumns(IDC_BTT_LIST, {{L"Application Name", 85}, {L"Window Title", 150}});

  programIcons_.Reset(::ImageList_Create(::GetSystemMetrics(SM_CXSMICON),
                                         ::GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 0,
                                         16));
  if (!programIcons_) throw std::runtime_error("Invalid ImageList");
  ListView_SetImageList(Item(IDC_AVAILABLE_LIST), programIcons_.Get(), LVSIL_SMALL);

  drag_ = std::make_unique<ListDrag>(Handle());
  menus_ = std::make_unique<ListMenus>(Handle());
  for (const ListBinding& list : kLists) {
    drag_->AddList(Item(list.id), list.list);
    ::SetWindowSubclass(Item(list.id), ListKeyProcedure, static_cast<UINT_PTR>(list.id), 0);
  }

  for (int id : {IDC_AVAILABLE_CAPTION, IDC_AVAILABLE_LIST, IDC_GB_SPECIAL, IDC_EXCLUDE_CAPTION,
                 IDC_EXCLUDE_LIST, IDC_BTT_CAPTION, IDC_BTT_LIST, IDC_SPLITTER}) {
    initialLayout_.push_back({id, ChildRect(Handle(), Item(id))});
  }
  initialSplitterX_ = initialLayout_.back().rect.left;

  tips_->Add(Handle(), IDC_BTN_REFRESH_LIST, L"Refresh the list of currently visible windows");
  tips_->Add(Handle(), IDC_CB_HIDE_DESKTOP,
             L"Hide the icons on the desktop when the hot key is pressed");
  tips_->Add(Handle(), IDC_CB_HIDE_TASKBAR, L"Hide the taskbar when the hot key is pressed");
  tips_->Add(Handle(), IDC_CB_HIDE_TRAY, L"Hide the tray icons when the hot key is pressed");
}

void WindowsPage::AddColumns(int listId,
                             std::initializer_list<std::pair<const wchar_t*, int>> columns) {
  HWND list = Item(listId);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  int index = 0;
  for (const auto& [title, dialogUnits] : columns) {
    RECT width{0, 0, dialogUnits, 0};
    ::MapDialogRect(Handle(), &width);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(title);
    column.cx = width.right;
    ListView_InsertColumn(list, index++, &column);
  }
}

void WindowsPage::MoveSplitter(int x) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  RECT minimum{0, 0, 120, 0};
  ::MapDialogRect(Handle(), &minimum);
  const RECT& splitter = initialLayout_.back().rect;
  const int width = splitter.right - splitter.left;
  x = std::max(static_cast<int>(minimum.right),
               std::min(x, static_cast<int>(client.right - minimum.right - width)));
  const int delta = x - initialSplitterX_;
  auto place = [this](int id, const RECT& rect) {
    ::SetWindowPos(Item(id), nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  for (const Placement& placement : initialLayout_) {
    RECT rect = placement.rect;
    if (std::find(std::begin(kLeftHalf), std::end(kLeftHalf), placement.id) !=
        std::end(kLeftHalf)) {
      rect.right += delta;
    } else if (std::find(std::begin(kRightHalf), std::end(kRightHalf), placement.id) !=
               std::end(kRightHalf)) {
      rect.left += delta;
    } else {  // the splitter itself
      rect.left += delta;
      rect.right += delta;
    }
    place(placement.id, rect);
  }
}

void WindowsPage::OnCommand(int id) {
  switch (id) {
    case IDC_BTN_REFRESH_LIST:
      actions_.refreshList();
      return;
    case IDC_BTN_HIDE_ALL:
      actions_.hideAll();
      return;
  }
  for (const CheckBinding& check : kSpecialWindowChecks)
    if (check.id == id) options_.*check.option = IsDlgButtonChecked(Handle(), id) == BST_CHECKED;
}

void WindowsPage::ShowOptions() {
  for (const CheckBinding& check : kSpecialWindowChecks)
    CheckDlgButton(Handle(), check.id, options_.*check.option ? BST_CHECKED : BST_UNCHECKED);
}

void WindowsPage::ShowVisibleWindows(const CapturedWindowList& rows) {
  visibleRows_ = rows;
  HWND list = Item(IDC_AVAILABLE_LIST);
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  ImageList_RemoveAll(programIcons_.Get());
  int index = 0;
  for (const CapturedWindow& row : rows) {
    const UniqueIcon icon = GetFileSmallIcon(row.info.ExePath);
    const int image = icon ? ImageList_AddIcon(programIcons_.Get(), icon.Get()) : -1;
    AppendRow(list, index++, row.caption, {row.info.Title}, image >= 0 ? image : I_IMAGENONE);
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

void WindowsPage::ShowExcludeList(const std::vector<ListEntry>& entries) {
  HWND list = Item(IDC_EXCLUDE_LIST);
  ListView_DeleteAllItems(list);
  int index = 0;
  for (const ListEntry& entry : entries) {
    const ListRowText row = RowText(text_, entry);
    AppendRow(list, index++, row.caption, {row.title, row.all});
  }
}

void WindowsPage::ShowBringToTopList(const std::vector<ListEntry>& entries) {
  HWND list = Item(IDC_BTT_LIST);
  ListView_DeleteAllItems(list);
  int index = 0;
  for (const ListEntry& entry : entries) {
    const ListRowText row = RowText(text_, entry);
    AppendRow(list, index++, row.caption, {row.title});
  }
}

// The lists' keys reach the page, whose handler reports the errors of the edits they start.
LRESULT CALLBACK WindowsPage::ListKeyProcedure(HWND list, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR listId, DWORD_PTR) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      ::SendMessageW(::GetParent(list), kListKey, wParam,
                     MAKELPARAM(listId, message == WM_KEYUP ? 1 : 0));
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(list, ListKeyProcedure, listId);
      break;
  }
  return ::DefSubclassProc(list, message, wParam, lParam);
}

void WindowsPage::OnListKey(int listId, WPARAM key, bool released) {
  // Delete removes a Do not hide entry when released, and empties the Bring to TOP list when
  // pressed; F5 is the short cut of "Refresh List".
  if (key == VK_DELETE && released && listId == IDC_EXCLUDE_LIST)
    RunCommand(ListCommand::kRemoveSelectedEntry);
  else if (key == VK_DELETE && !released && listId == IDC_BTT_LIST)
    RunCommand(ListCommand::kClearBringToTopList);
  else if (key == VK_F5 && !released && listId == IDC_AVAILABLE_LIST)
    RunCommand(ListCommand::kRefreshList);
}

void WindowsPage::OnContextMenu(HWND control, LPARAM at) {
  const auto list = std::find_if(std::begin(kLists), std::end(kLists),
                                 [&](const ListBinding& l) { return Item(l.id) == control; });
  if (list == std::end(kLists)) return;
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {  // from the keyboard: under the selected row, or at the list's corner
    RECT row{};
    const int item = ListView_GetNextItem(control, -1, LVNI_SELECTED);
    if (item < 0 || !ListView_GetItemRect(control, item, &row, LVIR_LABEL)) row = {};
    point = {row.left, row.bottom};
    ::ClientToScreen(control, &point);
  }
  RunCommand(menus_->Track(list->list, point, editor_->IsExcludeRow(SelectedRow(list->id))));
}

void WindowsPage::RunCommand(ListCommand command) {
  switch (command) {
    case ListCommand::kNone:
      return;
    case ListCommand::kAddToExcludeList: {
      const std::optional<std::size_t> row = SelectedRow(IDC_AVAILABLE_LIST);
      const CapturedWindow* window =
          row && *row < visibleRows_.size() ? &visibleRows_[*row] : nullptr;
      Edit([window](ListEditor& editor) { editor.AddToExcludeList(window); });
      return;
    }
    case ListCommand::kRefreshList:
      actions_.refreshList();
      return;
    case ListCommand::kToggleAllWindows:
      Edit([this](ListEditor& editor) { editor.ToggleAllWindows(SelectedRow(IDC_EXCLUDE_LIST)); },
           true);
      return;
    case ListCommand::kRemoveSelectedEntry:
      Edit(
          [this](ListEditor& editor) { editor.RemoveExcludeEntry(SelectedRow(IDC_EXCLUDE_LIST)); });
      return;
    case ListCommand::kClearExcludeList:
      Edit([](ListEditor& editor) { editor.ClearExcludeList(); });
      return;
    case ListCommand::kAddApplicationFromDisk: {
      Win32ProgramFileDialog dialog(::GetAncestor(Handle(), GA_ROOT));
      Edit([&dialog](ListEditor& editor) { editor.AddApplicationFromDisk(dialog); });
      return;
    }
    case ListCommand::kClearBringToTopList:
      Edit([](ListEditor& editor) { editor.ClearBringToTopList(); });
      return;
  }
}

void WindowsPage::OnDrop(PageList target, PageList source) {
  if (target == PageList::kExclude) {
    RunCommand(ListCommand::kAddToExcludeList);
  } else if (target == PageList::kBringToTop) {
    Edit([this, source](ListEditor& editor) {
      editor.SetBringToTopEntry(source, SelectedRow(IDC_EXCLUDE_LIST));
    });
  }
}

void WindowsPage::Edit(const std::function<void(ListEditor&)>& edit, bool keepExcludeSelection) {
  // A list is shown afresh only when the edit changed it, so a cancelled one keeps its selection.
  struct ShowAfterwards {
    WindowsPage& page;
    std::vector<ListEntry> exclude, bringToTop;
    std::optional<std::size_t> excludeSelection;
    ~ShowAfterwards() {
      if (page.editor_->ExcludeList() != exclude) {
        page.ShowExcludeList(page.editor_->ExcludeList());
        if (excludeSelection) page.SelectExcludeRow(*excludeSelection);
      }
      if (page.editor_->BringToTopList() != bringToTop)
        page.ShowBringToTopList(page.editor_->BringToTopList());
    }
  } showAfterwards{*this, editor_->ExcludeList(), editor_->BringToTopList(),
                   keepExcludeSelection ? SelectedRow(IDC_EXCLUDE_LIST) : std::nullopt};
  edit(*editor_);
}

void WindowsPage::SelectExcludeRow(std::size_t row) {
  ListView_SetItemState(Item(IDC_EXCLUDE_LIST), static_cast<int>(row), LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
}

std::optional<std::size_t> WindowsPage::SelectedRow(int listId) const {
  HWND list = Item(listId);
  LVITEMW row{};
  row.mask = LVIF_PARAM;
  row.iItem = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  if (row.iItem < 0 || !ListView_GetItem(list, &row)) return std::nullopt;
  return static_cast<std::size_t>(row.lParam);
}

}  // namespace dpx::win32
