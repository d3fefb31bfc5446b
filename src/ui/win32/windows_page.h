#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/list_editing.h"
#include "app/options.h"
#include "hide/win_info.h"
#include "lists/list_entry.h"
#include "platform/text_services.h"
#include "ui/win32/dialog_window.h"
#include "ui/win32/list_drag.h"
#include "ui/win32/list_menus.h"
#include "ui/win32/tooltips.h"
#include "ui/win32/ui_handles.h"

namespace dpx::win32 {

// The Windows page: the visible windows, the Do not hide and Bring to TOP lists, the special
// windows options and the invisible "Hide/Restore" button, with a splitter between the halves.
class WindowsPage final : public DialogWindow {
 public:
  struct Actions {
    std::function<void()> refreshList;  // "Refresh List"
    std::function<void()> hideAll;      // the invisible "Hide/Restore" button
  };

  WindowsPage(UserInteraction& ui, TextServices& text, Options& options, Actions actions)
      : DialogWindow(ui), text_(text), options_(options), actions_(std::move(actions)) {}

  // The user's edits of the lists change `saved` and write its files; connected before the page
  // takes any input.
  void ConnectEditing(SavedState& saved) { editor_.emplace(saved, text_, ui()); }
  void Create(HWND mainWindow, Tooltips& tips);

  // Rows in the order given; each row's icon is the one the shell has for its program's type.
  void ShowVisibleWindows(const CapturedWindowList& rows);
  void ShowExcludeList(const std::vector<ListEntry>& entries);
  void ShowBringToTopList(const std::vector<ListEntry>& entries);
  void ShowOptions();

 private:
  struct Placement {
    int id;
    RECT rect;
  };

  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnInit();
  void AddColumns(int listId, std::initializer_list<std::pair<const wchar_t*, int>> columns);
  void MoveSplitter(int x);
  void OnCommand(int id);
  // List editing: pop-up menus, keys, drag and drop.
  void OnContextMenu(HWND control, LPARAM at);
  void RunCommand(ListCommand command);
  void OnListKey(int listId, WPARAM key, bool released);
  void OnDrop(PageList target, PageList source);
  // Runs one edit, then shows the lists it changed, also when writing a file failed.
  void Edit(const std::function<void(ListEditor&)>& edit, bool keepExcludeSelection = false);
  void SelectExcludeRow(std::size_t row);
  std::optional<std::size_t> SelectedRow(int listId) const;
  static LRESULT CALLBACK ListKeyProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR listId, DWORD_PTR page);

  TextServices& text_;
  Options& options_;
  Actions actions_;
  Tooltips* tips_ = nullptr;
  std::optional<ListEditor> editor_;
  CapturedWindowList visibleRows_;  // as the visible-windows list shows them
  std::unique_ptr<ListDrag> drag_;
  std::unique_ptr<ListMenus> menus_;
  UniqueImageList programIcons_;
  std::vector<Placement> initialLayout_;
  int initialSplitterX_ = 0;
};

}  // namespace dpx::win32
