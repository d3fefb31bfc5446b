#include "hide/bring_to_top.h"

#include <algorithm>

#include "hide/active_window.h"
#include "hide/window_visibility.h"

namespace dpx {

std::wstring WorkingFolderOf(const std::wstring& path) {
  const std::size_t last = path.find_last_of(L"\\:");
  if (last == std::wstring::npos) return {};
  std::wstring folder = path.substr(0, last + 1);
  // "C:\Tools\" loses its backslash; "C:\" and "\" would name another folder without it.
  const bool isRoot = folder.size() == 1 || (folder.size() == 3 && folder[1] == L':');
  if (folder.back() == L'\\' && !isRoot) folder.pop_back();
  return folder;
}

void BringToTopProgram::Raise(WindowHandle window) {
  BringWindowToFront(foreground_, program_, window);
  if (!foreground_.IsMinimized(window)) return;
  // Part of the hide: a hung program must not stall it.
  ThreadProbe probe(windows_);
  if (probe.Answers(window))
    windows_.Show(window, ShowCommand::kRestore);
  else
    windows_.ShowAsync(window, ShowCommand::kRestore);
}

void BringToTopProgram::BringToTop() {
  const CapturedWindowList* holder = hideMode_.Holder();
  if (list_.empty() || holder == nullptr) return;
  const std::wstring title = list_.front().Title(text_);
  const std::wstring path = list_.front().Path(text_);

  const auto byTitle = std::find_if(holder->begin(), holder->end(), [&](const CapturedWindow& row) {
    return row.info.Title == title;
  });
  if (byTitle != holder->end()) return Raise(byTitle->info.Handle);
  // Exact, letter case included: another spelling of the path starts a second copy.
  const auto byPath = std::find_if(holder->begin(), holder->end(), [&](const CapturedWindow& row) {
    return row.info.ExePath == path;
  });
  if (byPath != holder->end()) return Raise(byPath->info.Handle);
  // An empty path would open the working folder in the shell instead of starting nothing.
  if (path.empty()) return;
  // Nothing has the foreground once every window is hidden: the started program's window gets it
  // as soon as it shows, while DPX still holds the right to give it. Not after the restore, which
  // hands the foreground back itself.
  processes_.Open(path, WorkingFolderOf(path), [this](WindowHandle window) {
    if (hideMode_.Active()) BringWindowToFront(foreground_, program_, window);
  });
}

}  // namespace dpx
