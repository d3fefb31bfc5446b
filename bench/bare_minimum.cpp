#include "bare_minimum.h"

namespace dpx::bench {

std::vector<HWND> BareHide() {
  std::vector<HWND> hidden;
  for (HWND window = ::GetTopWindow(nullptr); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(window)) continue;
    ::ShowWindow(window, SW_HIDE);
    hidden.push_back(window);
  }
  return hidden;
}

void BareShow(const std::vector<HWND>& windows) {
  for (HWND window : windows) ::ShowWindow(window, SW_SHOWNA);
}

}  // namespace dpx::bench
