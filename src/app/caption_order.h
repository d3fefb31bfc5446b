#pragma once

#include <vector>

#include "hide/win_info.h"
#include "lists/list_entry.h"
#include "platform/text_services.h"

namespace dpx {

// The visible-windows list and the Do not hide list show (and the latter stores) their rows by
// caption, the file name part of the program's path, compared as the user's locale compares,
// case-sensitive. Rows with equal captions keep their order.
void SortByCaption(std::vector<ListEntry>& entries, TextServices& text);
void SortByCaption(CapturedWindowList& rows, TextServices& text);

}  // namespace dpx
