#pragma once

#include "platform/text_services.h"

namespace dpx::win32 {

class Win32TextServices final : public TextServices {
 public:
  std::string ToAnsi(const std::wstring& text) override;
  std::wstring FromAnsi(const std::string& bytes) override;
  int Compare(const std::wstring& a, const std::wstring& b) override;
  std::wstring ToUpper(const std::wstring& text) override;
};

}  // namespace dpx::win32
