#include "ui/win32/windows_page.h"

#include <windowsx.h>

#include <stdexcept>

#include "ui/win32/file_icons.h"
#include "ui/win32/help.h"
#include "ui/win32/pictures.h"
#include "ui/win32/resource.h"

namespace dpx::win32 {
namespace {

constexpr wchar_t kSplitterClass[] = L"DpxSplitter";
// Sent by the splitter to its page while it is dragged: wParam is the new left edge in the
// page's client coordinates; lParam is 1 once the drag has ended.
constexpr UINT kSplitterMoved = WM_APP + 1;

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

}  // namespace dpx::win32
