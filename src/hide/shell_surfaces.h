#pragma once

#include <cstdint>

#include "hide/hide_journal.h"
#include "platform/processes.h"
#include "platform/tray_library.h"
#include "platform/window_manager.h"
#include "platform/window_search.h"

namespace dpx {

// What the tray library expects from DPX: the value 1 and this access code.
inline constexpr std::int32_t kHideTrayValue = 1;
inline constexpr char kTrayAccessCode[] = "802513";

// From this Windows 10 build on, the desktop icons live under a worker window.
inline constexpr unsigned kWorkerDesktopBuild = 21337;

// The window that shows the desktop icons on this version of Windows, or kNoWindow.
WindowHandle FindDesktopIconsWindow(WindowSearch& search, Processes& processes);

// The desktop icons, the taskbar and the tray icons: hidden at the end of a hide, shown again at
// the start of a restore.
class ShellSurfaces {
 public:
  ShellSurfaces(WindowManager& windows, WindowSearch& search, Processes& processes,
                TrayLibrary& tray)
      : windows_(windows), search_(search), processes_(processes), tray_(tray) {}

  // Hides the ones asked for, in this order: desktop icons, taskbar, tray icons.
  void HideShellSurfaces(bool desktopIcons, bool taskbar, bool trayIcons);
  // Shows the desktop icons and the taskbar whatever was hidden, and the tray icons once they
  // have been hidden in this run.
  void RestoreShellSurfaces();

  // After the shell restarted in hide mode (its taskbar is new and shown): hides again what this
  // hide had hidden.
  void HideAgainAfterShellRestart();
  // A recovery after a run that died in hide mode: shows the surfaces that run had hidden.
  void ShowSurfaces(const HiddenSurfaces& surfaces);

  // Set by the first hide of the tray icons; nothing clears it.
  bool TrayHidden() const { return trayHidden_; }
  // What the last hide hid; cleared by the restore.
  const HiddenSurfaces& Hidden() const { return hidden_; }

 private:
  WindowHandle FindTaskbar();

  WindowManager& windows_;
  WindowSearch& search_;
  Processes& processes_;
  TrayLibrary& tray_;
  bool trayHidden_ = false;
  HiddenSurfaces hidden_;
};

}  // namespace dpx
