#pragma once

#include <functional>

#include "hide/hide_journal_file.h"
#include "hide/hide_trail.h"
#include "platform/window_marks.h"

namespace dpx {

// The trail as the journal file and the marks on the hidden windows.
class JournalTrail final : public HideTrail {
 public:
  // `describeSideActions` fills in what the side actions of this hide changed.
  JournalTrail(HideJournalFile& file, WindowMarks& marks,
               std::function<void(HideJournal&)> describeSideActions)
      : file_(file), marks_(marks), describeSideActions_(std::move(describeSideActions)) {}

  // A journal that cannot be written does not stop the hide: hiding is what the user asked for,
  // and the marks still let a recovery find the windows.
  void Captured(const CapturedWindowList& holder) override;
  void Hiding(const TWinInfo& window) override { marks_.Mark(window.Handle, window.ExStyle); }
  void Shown(WindowHandle window) override { marks_.Unmark(window); }
  void Ended() override { file_.Remove(); }

 private:
  HideJournalFile& file_;
  WindowMarks& marks_;
  std::function<void(HideJournal&)> describeSideActions_;
};

}  // namespace dpx
