#include "app/caption_order.h"

#include <algorithm>

#include "common/strings.h"

namespace dpx {

void SortByCaption(std::vector<ListEntry>& entries, TextServices& text) {
  std::stable_sort(entries.begin(), entries.end(), [&text](const ListEntry& a, const ListEntry& b) {
    return text.Compare(FileNamePart(a.Path(text)), FileNamePart(b.Path(text))) < 0;
  });
}

void SortByCaption(CapturedWindowList& rows, TextServices& text) {
  std::stable_sort(rows.begin(), rows.end(),
                   [&text](const CapturedWindow& a, const CapturedWindow& b) {
                     return text.Compare(a.caption, b.caption) < 0;
                   });
}

}  // namespace dpx
