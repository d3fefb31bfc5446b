#pragma once

#include "platform/window_search.h"

namespace dpx::win32 {

class Win32WindowSearch final : public WindowSearch {
 public:
  WindowHandle FindWindowAfter(WindowHandle parent, WindowHandle after,
                               const std::optional<std::wstring>& className,
                               const std::optional<std::wstring>& title) override;
  WindowHandle ShellWindow() override;
};

}  // namespace dpx::win32
