// dpx_window_probe.exe: reports windows as a third process sees them, one line per handle given:
//   HWND visible=0|1 exstyle=HEX
// so a test never judges a hide by the word of the process that did it. An argument
// "class:NAME" stands for the first top-level window of that class on the probe's desktop; its
// line starts with "class:NAME HWND" (HWND 0 and "gone" when there is none). The argument
// "foreground" prints "foreground HWND" for the window that has the foreground (0 for none).
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"foreground") == 0) {
      std::wprintf(L"foreground %llx\n", static_cast<unsigned long long>(
                                             reinterpret_cast<UINT_PTR>(GetForegroundWindow())));
      continue;
    }
    HWND window = nullptr;
    if (std::wcsncmp(argv[i], L"class:", 6) == 0) {
      window = FindWindowW(argv[i] + 6, nullptr);
      std::wprintf(L"%ls ", argv[i]);
    } else {
      window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(argv[i], nullptr, 16)));
    }
    const auto handle = static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window));
    if (!IsWindow(window)) {
      std::wprintf(L"%llx gone\n", handle);
      continue;
    }
    std::wprintf(L"%llx visible=%d exstyle=%lx\n", handle, IsWindowVisible(window) ? 1 : 0,
                 static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
  }
  return 0;
}
