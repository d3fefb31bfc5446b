#pragma once

#include <string>

#include "app/options.h"
#include "hide/program_window.h"
#include "platform/foreground.h"
#include "platform/process_control.h"
#include "platform/text_services.h"
#include "platform/window_manager.h"
#include "platform/window_search.h"

namespace dpx {

// The window the user worked in when the last hide began.
struct RememberedWindow {
  WindowHandle handle = kNoWindow;
  std::wstring className;  // at most 254 characters
  std::wstring title;      // at most 254 characters
};

// Gives the window the foreground, unless it is DPX's own main window or no longer exists. Sets
// the foreground lock timeout to 0 first, so that the call may take the foreground from the
// active program; that change is not undone.
void BringWindowToFront(Foreground& foreground, const ProgramWindow& program, WindowHandle window);

// Ends the window's process at once; it cannot ask to save anything. Always true: whether the
// process could be ended is not known to the caller.
bool KillWindowProcess(WindowManager& windows, ProcessControl& processes, WindowHandle window);

// The active window around a hide: remembered at the start, closed when the user asked for that,
// otherwise given the foreground back after the restore.
class ActiveWindow {
 public:
  ActiveWindow(WindowManager& windows, Foreground& foreground, ProcessControl& processes,
               WindowSearch& search, const ProgramWindow& program, TextServices& text,
               const Options& options)
      : windows_(windows),
        foreground_(foreground),
        processes_(processes),
        search_(search),
        program_(program),
        text_(text),
        options_(options) {}

  void RememberActiveWindow();
  // Only with "Close the window that was active before hiding" checked. The desktop and the
  // taskbar are left alone; a window of the shell (of its process, or a folder window) gets a
  // close request, since ending its process would end the taskbar and the desktop; any other
  // program is ended.
  void CloseActiveWindow();
  // Only with that option cleared.
  void ReactivateActiveWindow();

  const RememberedWindow& Remembered() const { return remembered_; }

 private:
  bool IsOwnWindow(WindowHandle window);
  bool ContainsIgnoringCase(const std::wstring& text, const wchar_t* part);
  bool IsShellWindow(WindowHandle window);

  WindowManager& windows_;
  Foreground& foreground_;
  ProcessControl& processes_;
  WindowSearch& search_;
  const ProgramWindow& program_;
  TextServices& text_;
  const Options& options_;
  RememberedWindow remembered_;
};

}  // namespace dpx
