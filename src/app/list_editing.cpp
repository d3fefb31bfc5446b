#include "app/list_editing.h"

#include "app/caption_order.h"

namespace dpx {

bool AcceptsDrop(PageList target, PageList source) {
  switch (target) {
    case PageList::kExclude:
      return source == PageList::kAvailableWindows;
    case PageList::kBringToTop:
      return source == PageList::kExclude;
    case PageList::kAvailableWindows:
      return false;
  }
  return false;
}

std::wstring RemoveEntryQuestion(const std::wstring& caption) {
  return L"The item: \"" + caption + L"\" will be removed from the list!\nContinue?";
}

std::wstring ClearExcludeListQuestion() {
  return L"All the items in the \"Do not hide\" list will be removed!\nContinue?";
}

void ListEditor::AddToExcludeList(const CapturedWindow* selected) {
  if (!selected) {
    Warn(kSelectItemFirstWarning);
    return;
  }
  if (FindExcludeEntry(*selected)) {
    Warn(kAlreadyInListWarning);
    return;
  }
  AddExcludeEntry(ListEntry(text_, selected->info.Title, selected->info.ExePath, true));
}

std::optional<std::size_t> ListEditor::FindExcludeEntry(const CapturedWindow& candidate) const {
  // The candidate as its row would show it once stored, so that a long or unusual title is found
  // again however often the list has been saved and loaded.
  const ListRowText wanted =
      RowText(text_, ListEntry(text_, candidate.info.Title, candidate.info.ExePath, true));
  const std::vector<ListEntry>& rows = saved_.ExcludeList();
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const ListRowText shown = RowText(text_, rows[index]);
    if (shown.caption == wanted.caption && shown.title == wanted.title) return index;
  }
  return std::nullopt;
}

void ListEditor::AddApplicationFromDisk(ProgramFileDialog& dialog) {
  const std::optional<std::wstring> file = dialog.ChooseFile();
  if (!file) return;
  AddExcludeEntry(ListEntry(text_, L"", *file, true));
}

void ListEditor::AddExcludeEntry(const ListEntry& entry) {
  std::vector<ListEntry>& rows = saved_.ExcludeList();
  rows.push_back(entry);
  SortByCaption(rows, text_);
  saved_.SaveExcludeList();
}

void ListEditor::ToggleAllWindows(std::optional<std::size_t> selected) {
  if (!IsExcludeRow(selected)) return;
  ListEntry& entry = saved_.ExcludeList()[*selected];
  // Every non-zero flag means "yes", so the flip is made on that meaning: a stored 2 becomes 0,
  // not 3, which would still read "yes".
  entry.SetAllWindows(!entry.AllWindows());
}

void ListEditor::RemoveExcludeEntry(std::optional<std::size_t> selected) {
  if (!IsExcludeRow(selected)) {
    Warn(kSelectItemFirstWarning);
    return;
  }
  std::vector<ListEntry>& rows = saved_.ExcludeList();
  if (!Confirm(RemoveEntryQuestion(RowText(text_, rows[*selected]).caption))) return;
  rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(*selected));
  saved_.SaveExcludeList();
}

void ListEditor::ClearExcludeList() {
  if (!Confirm(ClearExcludeListQuestion())) return;
  saved_.ExcludeList().clear();
}

void ListEditor::SetBringToTopEntry(PageList source, std::optional<std::size_t> selectedExclude) {
  if (source != PageList::kExclude) {
    Warn(kDragFromDoNotHideWarning);
    return;
  }
  if (!IsExcludeRow(selectedExclude)) return;
  // The record's bytes are copied, so title and path are exactly the stored ones; the flag means
  // nothing in this list and is left clear.
  ListEntry entry = saved_.ExcludeList()[*selectedExclude];
  entry.SetAllWindows(false);
  std::vector<ListEntry>& bringToTop = saved_.BringToTopList();
  bringToTop.clear();
  bringToTop.push_back(entry);
  saved_.SaveBringToTopList();
}

void ListEditor::ClearBringToTopList() {
  saved_.BringToTopList().clear();
  saved_.SaveBringToTopList();
}

bool ListEditor::IsExcludeRow(std::optional<std::size_t> selected) const {
  return selected && *selected < saved_.ExcludeList().size();
}

void ListEditor::Warn(const std::wstring& text) {
  ui_.ShowMessage(text, MessageKind::kWarning, MessageButtons::kOk);
}

bool ListEditor::Confirm(const std::wstring& text) {
  return ui_.ShowMessage(text, MessageKind::kWarning, MessageButtons::kYesCancel) ==
         MessageAnswer::kYes;
}

}  // namespace dpx
