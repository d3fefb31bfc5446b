#include "hide/hide_recovery.h"

#include <exception>
#include <vector>

#include "hide/exe_path.h"

namespace dpx {

RecoveryResult HideRecovery::Recover() {
  RecoveryResult result;
  const HideJournalFile::Loaded loaded = file_.Load();
  result.journalDamaged = loaded.damaged;
  result.journalFound = loaded.journal.has_value();

  ThreadProbe probe(windows_);
  ExePathLookup exePaths(windows_, processes_);
  std::set<WindowHandle> done;
  if (loaded.journal) {
    result.sideActionsFailed = PutBackSideActions(*loaded.journal);
    const auto& listed = loaded.journal->windows;
    for (auto row = listed.rbegin(); row != listed.rend(); ++row) {
      if (!done.insert(row->handle).second) continue;
      if (RecoverWindow(probe, row->handle, row->exStyle,
                        [&] { return exePaths.GetWindowExePath(row->handle) == row->exePath; }))
        ++result.windowsShown;
    }
  }
  result.windowsShown += RecoverMarkedWindows(probe, done);
  if (loaded.journal) result.journalLeft = !file_.Remove();
  return result;
}

namespace {

// A side action that fails (a registry that refuses, a display that cannot switch) must not keep
// the others, and above all the windows, from coming back.
template <typename Step>
bool Attempt(Step&& step) {
  try {
    step();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

std::size_t HideRecovery::PutBackSideActions(const HideJournal& journal) {
  std::size_t failed = 0;
  const auto attempt = [&](auto&& step) { failed += Attempt(step) ? 0 : 1; };
  attempt([&] { steps_.ShowShellSurfaces(journal.surfaces); });
  if (journal.displaySettings)
    attempt([&] { steps_.PutBackDisplaySettings(*journal.displaySettings); });
  if (journal.wallpaperPath) attempt([&] { steps_.PutBackWallpaper(*journal.wallpaperPath); });
  if (journal.savedVolume) attempt([&] { steps_.PutBackVolume(*journal.savedVolume); });
  return failed;
}

bool HideRecovery::RecoverWindow(ThreadProbe& probe, WindowHandle window, std::uint32_t exStyle,
                                 const std::function<bool()>& sameProgram) {
  // No mark: gone, never hidden by DPX, or the handle now names a window created since.
  if (!marks_.MarkedExStyle(window)) return false;
  if (!sameProgram()) return false;
  if (windows_.IsVisible(window)) {
    // Shown meanwhile, or a hung program has not yet carried out the hide waiting in its queue:
    // a show queued behind that hide makes sure it does not win.
    if (!probe.Answers(window)) windows_.ShowAsync(window, ShowCommand::kShowNoActivate);
    marks_.Unmark(window);
    return false;
  }
  ShowOneWindow(windows_, probe, window, exStyle);
  marks_.Unmark(window);
  return true;
}

std::size_t HideRecovery::RecoverMarkedWindows(ThreadProbe& probe,
                                               const std::set<WindowHandle>& done) {
  std::vector<std::pair<WindowHandle, std::uint32_t>> marked;
  for (WindowHandle window = windows_.TopWindow(); window != kNoWindow;
       window = windows_.NextWindow(window)) {
    if (done.count(window) != 0) continue;
    if (const auto exStyle = marks_.MarkedExStyle(window)) marked.emplace_back(window, *exStyle);
  }
  std::size_t shown = 0;
  for (auto row = marked.rbegin(); row != marked.rend(); ++row)
    if (RecoverWindow(probe, row->first, row->second, [] { return true; })) ++shown;
  return shown;
}

}  // namespace dpx
