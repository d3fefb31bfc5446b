// dpx_window_probe.exe: reports windows as a third process sees them, one line per handle given:
//   HWND visible=0|1 exstyle=HEX
// so a test never judges a hide by the word of the process that did it. An argument
// "class:NAME" stands for the first top-level window of that class on the probe's desktop; its
// line starts with "class:NAME HWND" (HWND 0 and "gone" when there is none). The argument
// "foreground" prints "foreground HWND" for the window that has the foreground (0 for none).
// "texts:TITLE" prints "text: T" for the text of each child of the top-level window of that
// title (what a message box says), or "texts: none" when there is no such window.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

BOOL CALLBACK PrintChildText(HWND child, LPARAM) {
  wchar_t text[1024] = L"";
  if (GetWindowTextW(child, text, 1024) > 0) std::wprintf(L"text: %ls\n", text);
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"foreground") == 0) {
      std::wprintf(L"foreground %llx\n", static_cast<unsigned long long>(
                                             reinterpret_cast<UINT_PTR>(GetForegroundWindow())));
      continue;
    }
    if (std::wcsncmp(argv[i], L"texts:", 6) == 0) {
      HWND top = FindWindowW(nullptr, argv[i] + 6);
      if (top)
        EnumChildWindows(top, PrintChildText, 0);
      else
        std::wprintf(L"texts: none\n");
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
