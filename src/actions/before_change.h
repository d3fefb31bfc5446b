#pragma once

#include <functional>

namespace dpx {

// Told by a side action once it knows what a restore would put back and before it changes the
// desktop, so that this can be written down first: a run killed right after the change must
// leave enough behind for the next one to undo it.
using BeforeChange = std::function<void()>;

}  // namespace dpx
