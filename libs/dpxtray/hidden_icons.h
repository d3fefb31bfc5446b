#pragma once

#include <windows.h>

#include <mutex>
#include <vector>

namespace dpxtray {

// The icon windows this library has hidden, in the order it hid them, so that exactly those are
// shown again. Each carries DPX's window mark while hidden, so that a recovery after a killed DPX
// finds it. One per process: the library's exports share it.
class HiddenIcons {
 public:
  // Hides each window and keeps it; a window already kept is not kept twice.
  void Hide(const std::vector<HWND>& windows);
  // Shows the kept windows that still exist, last hidden first, and forgets them all. Returns
  // how many were shown.
  int Restore();
  // At the end of the process: shows the kept windows without waiting for their threads (the
  // loader lock is held), unless another thread is inside Hide or Restore.
  void RestoreWithoutWaiting();
  // After a DPX that hid icons was killed: shows those of `candidates` that are hidden and carry
  // DPX's mark, last first, and removes the mark. Returns how many were shown.
  int RestoreMarked(const std::vector<HWND>& candidates);

 private:
  // Removes the marks this library set (a window DPX marked itself keeps DPX's).
  void UnmarkAll();

  std::mutex mutex_;
  std::vector<HWND> hidden_;
  std::vector<HWND> marked_;
};

HiddenIcons& ProcessHiddenIcons();

}  // namespace dpxtray
