#pragma once

#include <functional>
#include <vector>

#include "hide/hide_journal_file.h"
#include "hide/hide_trail.h"
#include "platform/window_marks.h"

namespace dpx {

// The trail as the journal file and the marks on the hidden windows. The journal is written
// whole again at each step, before the step changes anything, with all that is known by then.
class JournalTrail final : public HideTrail {
 public:
  // `describeSideActions` fills in what the side actions of this hide would put back.
  JournalTrail(HideJournalFile& file, WindowMarks& marks,
               std::function<void(HideJournal&)> describeSideActions)
      : file_(file), marks_(marks), describeSideActions_(std::move(describeSideActions)) {}

  void SideActionChanging() override { Write(); }
  void Captured(const CapturedWindowList& holder) override;
  void Hiding(const TWinInfo& window) override { marks_.Mark(window.Handle, window.ExStyle); }
  void SurfacesHiding(const HiddenSurfaces& surfaces) override;
  void Shown(WindowHandle window) override { marks_.Unmark(window); }
  void Ended() override { Forget(); }
  void Abandoned() override { Forget(); }

 private:
  // A journal that cannot be written does not stop the hide: hiding is what the user asked for,
  // and the marks still let a recovery find the windows.
  void Write();
  void Forget();

  HideJournalFile& file_;
  WindowMarks& marks_;
  std::function<void(HideJournal&)> describeSideActions_;
  std::vector<JournalWindow> windows_;  // as last captured in this hide
  HiddenSurfaces surfaces_;             // taken by this hide
};

}  // namespace dpx
