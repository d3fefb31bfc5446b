#pragma once

#include <string>

namespace dpx {

// The names the active keyboard layout gives keys, e.g. "/" or "Scroll Lock" on a US layout.
class KeyNames {
 public:
  virtual ~KeyNames() = default;

  // Empty when the layout has no name for the key.
  virtual std::wstring KeyName(unsigned keyCode) = 0;
};

}  // namespace dpx
