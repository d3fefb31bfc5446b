#include "hide/journal_trail.h"

#include "platform/file_io.h"

namespace dpx {

void JournalTrail::Captured(const CapturedWindowList& holder) {
  HideJournal journal;
  journal.windows.reserve(holder.size());
  for (const CapturedWindow& row : holder)
    journal.windows.push_back({row.info.Handle, row.info.ExStyle, row.info.ExePath});
  if (describeSideActions_) describeSideActions_(journal);
  try {
    file_.Save(journal);
  } catch (const IoError&) {
  }
}

}  // namespace dpx
