// dpx_window_probe.exe: reports windows as a third process sees them, one line per handle given:
//   HWND visible=0|1 exstyle=HEX
// so a test never judges a hide by the word of the process that did it.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    HWND window =
        reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(argv[i], nullptr, 16)));
    if (!IsWindow(window)) {
      std::wprintf(L"%ls gone\n", argv[i]);
      continue;
    }
    std::wprintf(L"%ls visible=%d exstyle=%lx\n", argv[i], IsWindowVisible(window) ? 1 : 0,
                 static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
  }
  return 0;
}
