#pragma once

#include <string>

#include "hide/exe_path.h"
#include "hide/program_window.h"
#include "hide/win_info.h"
#include "platform/processes.h"
#include "platform/window_manager.h"

namespace dpx {

// Why a window is or is not one of the user's windows.
enum class CaptureVerdict {
  kTaken,
  kNotVisible,
  kUntitled,         // empty title and not the "Afx:00400000:8" class
  kStartButton,      // the old shell's "Start" button
  kProgramManager,   // the desktop itself
  kWindowsSecurity,  // the secure-attention screen
  kOwnMainWindow,
};

struct WindowFacts {
  std::wstring title;      // trimmed
  std::wstring className;  // trimmed
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  bool isOwnMainWindow = false;
};

CaptureVerdict JudgeWindow(const WindowFacts& facts);

// Decides which top-level windows count as the user's windows now, and records them.
class WindowCapture {
 public:
  WindowCapture(WindowManager& windows, Processes& processes, const ProgramWindow& program)
      : windows_(windows), processes_(processes), program_(program) {}

  // Empties the list, then captures every top-level window, topmost first. Each program's path
  // is looked up once for all of its windows.
  void CaptureTopLevelWindows(CapturedWindowList& list);
  // Appends the window when it is taken; tells whether it was.
  bool CaptureWindow(WindowHandle window, CapturedWindowList& list);

 private:
  bool CaptureWindow(WindowHandle window, CapturedWindowList& list, ExePathLookup& exePaths);
  WindowFacts ReadFacts(WindowHandle window);

  WindowManager& windows_;
  Processes& processes_;
  const ProgramWindow& program_;
};

}  // namespace dpx
