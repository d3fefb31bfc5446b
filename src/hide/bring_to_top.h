#pragma once

#include <string>
#include <vector>

#include "hide/hide_mode.h"
#include "hide/program_window.h"
#include "lists/list_entry.h"
#include "platform/foreground.h"
#include "platform/process_control.h"
#include "platform/text_services.h"
#include "platform/window_manager.h"

namespace dpx {

// The folder a program is started in: the path up to its last backslash or colon, without the
// trailing backslash unless that leaves no folder (a drive's root keeps it: "C:\").
std::wstring WorkingFolderOf(const std::wstring& path);

// The program of the Bring to TOP list's first entry, right after the windows have been hidden:
// its captured window is raised, or the program is started when none of its windows was captured,
// and its first window is given the foreground once it shows.
class BringToTopProgram {
 public:
  BringToTopProgram(WindowManager& windows, Foreground& foreground, ProcessControl& processes,
                    const ProgramWindow& program, TextServices& text,
                    const std::vector<ListEntry>& bringToTopList, const HideMode& hideMode)
      : windows_(windows),
        foreground_(foreground),
        processes_(processes),
        program_(program),
        text_(text),
        list_(bringToTopList),
        hideMode_(hideMode) {}

  // Runs in hide mode, on the windows of the hidden-window holder.
  void BringToTop();

 private:
  void Raise(WindowHandle window);

  WindowManager& windows_;
  Foreground& foreground_;
  ProcessControl& processes_;
  const ProgramWindow& program_;
  TextServices& text_;
  const std::vector<ListEntry>& list_;
  const HideMode& hideMode_;
};

}  // namespace dpx
