#pragma once

#include "platform/key_names.h"

namespace dpx::win32 {

// Key names of the active keyboard layout, from the key's scan code.
class Win32KeyNames final : public KeyNames {
 public:
  std::wstring KeyName(unsigned keyCode) override;
};

}  // namespace dpx::win32
