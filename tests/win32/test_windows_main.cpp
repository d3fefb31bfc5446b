// dpx_test_windows.exe: opens top-level windows for the tests to hide, from a process of its own.
//   --window TITLE      a window with this title (repeatable); options below apply to the next one
//   --class NAME        its window class (default "DpxTestWindow")
//   --exstyle HEX       its extended style
//   --hang-after MS     after MS milliseconds the window thread stops answering for a minute
// Prints one line "HWND TITLE" per window once all are shown, then pumps messages until closed.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

namespace {

struct WindowSpec {
  std::wstring title;
  std::wstring className = L"DpxTestWindow";
  DWORD exStyle = 0;
};

constexpr UINT_PTR kHangTimer = 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kHangTimer) {
        KillTimer(window, kHangTimer);
        Sleep(60000);  // a hung program: its thread answers nothing
      }
      return 0;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterClassOnce(const std::wstring& name, std::set<std::wstring>& registered) {
  if (!registered.insert(name).second) return;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name.c_str();
  RegisterClassW(&windowClass);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<WindowSpec> specs;
  WindowSpec next;
  UINT hangAfter = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    const wchar_t* value = argv[i + 1];
    if (option == L"--window") {
      next.title = value;
      specs.push_back(next);
      next = WindowSpec{};
    } else if (option == L"--class") {
      next.className = value;
    } else if (option == L"--exstyle") {
      next.exStyle = static_cast<DWORD>(std::wcstoul(value, nullptr, 16));
    } else if (option == L"--hang-after") {
      hangAfter = static_cast<UINT>(std::wcstoul(value, nullptr, 10));
    }
  }

  std::set<std::wstring> registered;
  std::vector<HWND> windows;
  int offset = 0;
  for (const WindowSpec& spec : specs) {
    RegisterClassOnce(spec.className, registered);
    HWND window = CreateWindowExW(spec.exStyle, spec.className.c_str(), spec.title.c_str(),
                                  WS_OVERLAPPEDWINDOW, 40 + offset, 40 + offset, 320, 200, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    offset += 30;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    windows.push_back(window);
  }
  for (std::size_t i = 0; i < windows.size(); ++i)
    std::wprintf(L"%llx %ls\n",
                 static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(windows[i])),
                 specs[i].title.c_str());
  std::fflush(stdout);
  if (hangAfter && !windows.empty()) SetTimer(windows[0], kHangTimer, hangAfter, nullptr);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
