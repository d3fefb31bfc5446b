#pragma once

#include <windows.h>

#include <optional>
#include <utility>
#include <vector>

#include "app/list_editing.h"
#include "ui/win32/ui_handles.h"

namespace dpx::win32 {

// A row dragged from one list of the Windows page onto another. The page holds the mouse while
// the button is down; the pointer says whether the list under it takes the row (an arrow with
// a page) or not (the "no" sign).
class ListDrag {
 public:
  explicit ListDrag(HWND page);

  void AddList(HWND list, PageList id);
  // The list's row drag has begun (LVN_BEGINDRAG); the row is already selected.
  void Begin(HWND sourceList);
  bool Active() const { return source_.has_value(); }

  // The page's mouse messages during the drag.
  void OnMouseMove();
  // Ends the drag: the list that takes the row where the button was let go, if one does.
  std::optional<std::pair<PageList, PageList>> OnButtonUp();
  // Another window took the mouse: the drag ends without a drop.
  void OnCaptureChanged() { source_.reset(); }

 private:
  std::optional<PageList> ListUnderPointer() const;
  bool TargetAccepts() const;

  HWND page_;
  std::vector<std::pair<HWND, PageList>> lists_;
  std::optional<PageList> source_;
  UniqueCursor dropCursor_;
};

}  // namespace dpx::win32
