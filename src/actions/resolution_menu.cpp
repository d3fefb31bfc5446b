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

// The platform's list of modes, the one a picked mode number is switched with.
std::vector<DisplayMode> ListedModes(DisplayModes& modes) {
  std::vector<DisplayMode> listed;
  for (int number = 0;; ++number) {
    const std::optional<DisplaySettings> settings = modes.Settings(number);
    if (!settings) return listed;
    listed.push_back(settings->mode);
  }
}

}  // namespace

ResolutionMenu BuildResolutionMenu(DisplayModes& modes) {
  const std::vector<DisplayMode> listed = ListedModes(modes);
  ResolutionMenu menu;
  for (int index = 0;; ++index) {
    const std::optional<DisplayMode> mode = modes.RawMode(index);
    if (!mode) break;
    if (mode->frequency == 1) continue;  // the hardware's default rate
    // The raw list may differ from the listed one: an item carries the listed number of the same
    // mode, and a mode the list does not have gets no item, since it could not be switched to.
    const auto same = std::find(listed.begin(), listed.end(), *mode);
    if (same == listed.end()) continue;
    SizeItem& size =
        FindOrAdd(menu, std::to_wstring(mode->width) + L"x" + std::to_wstring(mode->height), true);
    DepthItem& depth = FindOrAdd(size.depths, std::to_wstring(mode->bitsPerPel) + L" bits", false);
    depth.frequencies.push_back(
        {std::to_wstring(mode->frequency) + L" Hz", static_cast<int>(same - listed.begin())});
  }
  return menu;
}

}  // namespace dpx
