#pragma once

#include <functional>
#include <vector>

#include "app/options.h"
#include "hide/win_info.h"
#include "lists/list_entry.h"
#include "platform/text_services.h"
#include "ui/win32/dialog_window.h"
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

  TextServices& text_;
  Options& options_;
  Actions actions_;
  Tooltips* tips_ = nullptr;
  UniqueImageList programIcons_;
  std::vector<Placement> initialLayout_;
  int initialSplitterX_ = 0;
};

}  // namespace dpx::win32
