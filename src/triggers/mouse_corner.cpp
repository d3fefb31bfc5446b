#include "triggers/mouse_corner.h"

namespace dpx {

bool PointInCorner(std::uint8_t corner, int zoneSize, int x, int y, ScreenSize screen) {
  if (zoneSize <= 0 || corner > 3) return false;
  const bool right = corner == 1 || corner == 3;
  const bool bottom = corner == 2 || corner == 3;
  // 64-bit, so a huge zone from a hand-edited file cannot overflow the edges.
  const long long left = right ? static_cast<long long>(screen.width) - zoneSize : 0;
  const long long top = bottom ? static_cast<long long>(screen.height) - zoneSize : 0;
  return x >= left && x < left + zoneSize && y >= top && y < top + zoneSize;
}

bool TMouseShortcutInfo::IsTriggered(int x, int y, HoverInput& input) {
  if (!PointInCorner(option_.corner, option_.zoneSize, x, y, input.PrimaryScreenSize())) {
    HoverStart = 0;
    return false;
  }
  const std::uint32_t now = input.TickCount();
  if (HoverStart == 0) HoverStart = now;
  const std::uint32_t elapsed = now - HoverStart;
  return option_.hoverInterval < 0 || elapsed >= static_cast<std::uint32_t>(option_.hoverInterval);
}

bool TMouseShortcutInfo::Edit(MouseShortcutDialog& dialog) {
  MouseShortcutForm form;
  form.hoverInterval.SetValue(option_.hoverInterval);
  form.zoneSize.SetValue(option_.zoneSize);
  form.corners.Load(option_.corner);
  if (!dialog.ShowModal(form)) return false;
  option_.hoverInterval = form.hoverInterval.Value();
  option_.zoneSize = form.zoneSize.Value();
  option_.corner = form.corners.Chosen().value_or(option_.corner);
  return true;
}

}  // namespace dpx
