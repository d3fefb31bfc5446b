#pragma once

#include <windows.h>

#include <vector>

namespace dpx::bench {

// What any hide must do at least: walk the top-level windows and hide each visible one.
// Returns the windows it hid, in Z-order.
std::vector<HWND> BareHide();

// Shows the windows again in their state and place, without activating them.
void BareShow(const std::vector<HWND>& windows);

}  // namespace dpx::bench
