#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/saved_state.h"
#include "app/user_interaction.h"
#include "hide/win_info.h"
#include "platform/text_services.h"

namespace dpx {

inline constexpr wchar_t kAlreadyInListWarning[] = L"This winodw is already in the list";
inline constexpr wchar_t kSelectItemFirstWarning[] = L"Please select an item first.";
inline constexpr wchar_t kDragFromDoNotHideWarning[] =
    L"Please drag a window from the 'Do not hide list'!";

// The three lists of the Windows page. A list takes a drop by the list the drag comes from.
enum class PageList { kAvailableWindows, kExclude, kBringToTop };

// The Do not hide list takes rows of the visible-windows list, the Bring to TOP list takes rows of
// the Do not hide list; nothing else is taken, and no list takes its own rows.
bool AcceptsDrop(PageList target, PageList source);

// The file-open dialog of "Add application from disk": one filter, "All files" for "*.*".
class ProgramFileDialog {
 public:
  virtual ~ProgramFileDialog() = default;

  // The chosen file's name as the dialog gives it; nullopt when the user cancels.
  virtual std::optional<std::wstring> ChooseFile() = 0;
};

// The warning that "Remove Selected Entry" asks to confirm.
std::wstring RemoveEntryQuestion(const std::wstring& caption);
// The warning that "Clear List" of the Do not hide list asks to confirm.
std::wstring ClearExcludeListQuestion();

// The user's edits of the Do not hide and Bring to TOP lists. The rows the user sees are made from
// the stored records, so what the list shows is what the list files hold and what hide mode
// compares. Each edit writes its list file at the moment the user expects it to last; a failed
// write throws IoError and the list keeps its new state. Selections are row indexes of the
// lists as kept in `SavedState`.
class ListEditor {
 public:
  ListEditor(SavedState& saved, TextServices& text, UserInteraction& ui)
      : saved_(saved), text_(text), ui_(ui) {}

  // Adds the chosen visible window (all of its program's windows) to the Do not hide list, in
  // caption order, unless an entry shows the same caption and title.
  void AddToExcludeList(const CapturedWindow* selected);
  // The first Do not hide row with the candidate's caption and title (exact, case-sensitive).
  std::optional<std::size_t> FindExcludeEntry(const CapturedWindow& candidate) const;
  // Adds a program file the user picks, with an empty title; the same file may be added twice.
  void AddApplicationFromDisk(ProgramFileDialog& dialog);
  // Switches the row between "all windows of the program" and "this window"; not written yet.
  void ToggleAllWindows(std::optional<std::size_t> selected);
  // Removes the row once the user confirms.
  void RemoveExcludeEntry(std::optional<std::size_t> selected);
  // Empties the list once the user confirms; the file keeps the old entries until the next save.
  void ClearExcludeList();
  // Makes the selected Do not hide row the one Bring to TOP entry.
  void SetBringToTopEntry(PageList source, std::optional<std::size_t> selectedExclude);
  // Empties the Bring to TOP list without asking.
  void ClearBringToTopList();

  // Whether "Remove Selected Entry" and "All windows/This window" apply to the selection.
  bool IsExcludeRow(std::optional<std::size_t> selected) const;

  // The lists as their rows show them.
  const std::vector<ListEntry>& ExcludeList() const { return saved_.ExcludeList(); }
  const std::vector<ListEntry>& BringToTopList() const { return saved_.BringToTopList(); }

 private:
  void AddExcludeEntry(const ListEntry& entry);
  void Warn(const std::wstring& text);
  bool Confirm(const std::wstring& text);

  SavedState& saved_;
  TextServices& text_;
  UserInteraction& ui_;
};

}  // namespace dpx
