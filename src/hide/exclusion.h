#pragma once

#include <vector>

#include "hide/win_info.h"
#include "lists/list_entry.h"
#include "platform/text_services.h"

namespace dpx {

// The Do not hide test: the first entry whose title equals the window's title exactly, or, for
// an all-windows entry, whose executable's file name occurs in the window's path (any case).
bool IsProtectedByList(const TWinInfo& window, const std::vector<ListEntry>& doNotHide,
                       TextServices& text);

}  // namespace dpx
