#include "actions/resolution_menu.h"

#include <algorithm>
#include <optional>

namespace dpx {
namespace {

template <typename Item>
Item& FindOrAdd(std::vector<Item>& items, const std::wstring& caption, bool atFront) {
  auto found = std::find_if(items.begin(), items.end(),
                            [&](const Item& item) { return item.caption == caption; });
  if (found != items.end()) return *found;
  Item item;
  item.caption = caption;
  return *items.insert(atFront ? items.begin() : items.end(), std::move(item));
}

}  // namespace

ResolutionMenu BuildResolutionMenu(DisplayModes& modes) {
  ResolutionMenu menu;
  for (int index = 0;; ++index) {
    const std::optional<DisplayMode> mode = modes.RawMode(index);
    if (!mode) break;
    if (mode->frequency == 1) continue;  // the hardware's default rate
    SizeItem& size =
        FindOrAdd(menu, std::to_wstring(mode->width) + L"x" + std::to_wstring(mode->height), true);
    DepthItem& depth = FindOrAdd(size.depths, std::to_wstring(mode->bitsPerPel) + L" bits", false);
    depth.frequencies.push_back({std::to_wstring(mode->frequency) + L" Hz", index});
  }
  return menu;
}

}  // namespace dpx
