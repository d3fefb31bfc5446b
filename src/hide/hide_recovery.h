#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>

#include "hide/hide_journal_file.h"
#include "platform/processes.h"
#include "platform/window_manager.h"
#include "platform/window_marks.h"
#include "hide/window_visibility.h"

namespace dpx {

// The side actions a recovery puts back from the journal, whatever the options say now.
class RecoverySteps {
 public:
  virtual ~RecoverySteps() = default;
  virtual void ShowShellSurfaces(const HiddenSurfaces& surfaces) = 0;
  virtual void PutBackDisplaySettings(const DisplaySettings& settings) = 0;
  virtual void PutBackWallpaper(const std::wstring& path) = 0;
  virtual void PutBackVolume(const VolumeState& volume) = 0;
};

struct RecoveryResult {
  bool journalFound = false;
  bool journalDamaged = false;  // set aside, not replayed
  std::size_t windowsShown = 0;
  std::size_t sideActionsFailed = 0;
  bool journalLeft = false;  // replayed, but could not be deleted
  // Whether everything the dead run changed is known to be back: a damaged journal's side actions
  // are lost with it.
  bool Complete() const { return !journalDamaged && sideActionsFailed == 0 && !journalLeft; }
};

// Undoes what a run that ended in hide mode left hidden: from its journal, and from the marks on
// the windows where the journal is lost or damaged. Only windows that still exist, are still
// hidden and carry DPX's mark are shown; one listed in the journal must also still belong to the
// same program, so a reused handle is never touched.
class HideRecovery {
 public:
  HideRecovery(WindowManager& windows, Processes& processes, WindowMarks& marks,
               HideJournalFile& file, RecoverySteps& steps)
      : windows_(windows), processes_(processes), marks_(marks), file_(file), steps_(steps) {}

  // In a restore's order: the side actions, then the journal's windows last captured first, then
  // marked windows the journal does not list, bottom of the Z-order first. The journal is
  // removed at the end.
  RecoveryResult Recover();

 private:
  // The number that failed.
  std::size_t PutBackSideActions(const HideJournal& journal);
  // True when the window was shown.
  bool RecoverWindow(ThreadProbe& probe, WindowHandle window, std::uint32_t exStyle,
                     const std::function<bool()>& sameProgram);
  std::size_t RecoverMarkedWindows(ThreadProbe& probe, const std::set<WindowHandle>& done);

  WindowManager& windows_;
  Processes& processes_;
  WindowMarks& marks_;
  HideJournalFile& file_;
  RecoverySteps& steps_;
};

}  // namespace dpx
