#include "hide/journal_trail.h"

#include "platform/file_io.h"

namespace dpx {

void JournalTrail::Captured(const CapturedWindowList& holder) {
  windows_.clear();
  windows_.reserve(holder.size());
  for (const CapturedWindow& row : holder)
    windows_.push_back({row.info.Handle, row.info.ExStyle, row.info.ExePath});
  Write();
}

void JournalTrail::SurfacesHiding(const HiddenSurfaces& surfaces) {
  surfaces_ = surfaces;
  Write();
}

void JournalTrail::Write() {
  HideJournal journal;
  journal.windows = windows_;
  journal.surfaces = surfaces_;
  if (describeSideActions_) describeSideActions_(journal);
  try {
    file_.Save(journal);
  } catch (const IoError&) {
  }
}

void JournalTrail::Forget() {
  windows_.clear();
  surfaces_ = {};
  file_.Remove();
}

}  // namespace dpx
