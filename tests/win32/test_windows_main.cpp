// dpx_test_windows.exe: opens top-level windows for the tests to hide, from a process of its own.
//   --window TITLE      a window with this title (repeatable); options below apply to the next one
//   --class NAME        its window class (default "DpxTestWindow")
//   --exstyle HEX       its extended style
//   --hang-after MS     after MS milliseconds the window thread stops answering for a minute
//   --hang-on-hide MS   the first time one of its windows is hidden, the thread stops answering
//                       for MS milliseconds inside that hide (it answered everything before)
//   --slow-ms MS        every show or hide of its windows (after their first show) takes MS
//                       milliseconds: long enough for something to arrive in the middle of a pass
//   --pump-every MS     a render loop: the thread looks at its messages only every MS
//                       milliseconds, as a game or a video player does
//   --minimized 1       the next window is shown minimised
//   --shell-tree KIND   the window tree of the shell's desktop icons: "progman" (a "Program
//                       Manager" holding "SHELLDLL_DefView" > "SysListView32" "FolderView") or
//                       "workerw" (the view in the second of two "WorkerW" windows)
//   --taskbar-tree 1    a taskbar with the notification area of Windows 7 to 10 inside
//   --tray-icon TIP     a notification-area icon with this tip
//   --hidden-for MS     every window is created hidden and shown MS milliseconds later; the
//                       lines are printed at creation, and "shown" once they are shown
//   --child TITLE       the next window holds a visible child window with this title
//   --message-only TITLE  a message-only window with this title
//   --hold-file PATH    keeps that file open without sharing it, as another program may
//   --load-library PATH loads that DLL and keeps it, as a program with DPX's hook library does
//   --shell-window 1    makes the first window the shell's window (SetShellWindow), as the
//                       shell's desktop is, and prints "shell window set" or "shell window refused"
//   --hot-key MODS:VK   registers that hot key (RegisterHotKey's modifiers and key code, in
//                       decimal) on the first window and prints "hot key held" or "hot key
//                       refused"; each press then prints "hot key pressed"
//   --report-shows 1    each show or hide of a window prints "[shown]TITLE" or "[hidden]TITLE"
// Prints one line "HWND TITLE" per window once all are shown (tree windows by their title or,
// untitled, their class; "HWND tray icon" for the icon's owner), then pumps messages until
// closed. A window that gets WM_CLOSE prints "closed TITLE" and ends the program. Started with
// no arguments at all, it opens one window titled "started in FOLDER" (its working folder).
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

// Exported by user32.dll but not declared by every SDK.
extern "C" __declspec(dllimport) BOOL WINAPI SetShellWindow(HWND window);

namespace {

struct WindowRequest {
  std::wstring title;
  std::wstring className = L"DpxTestWindow";
  DWORD exStyle = 0;
  bool minimized = false;
  std::wstring childTitle{};
};

// A window of the shell's trees, printed by `label`.
struct TreeWindow {
  HWND window;
  std::wstring label;
};

constexpr UINT_PTR kHangTimer = 1;
// How the program answers a show or a hide of its windows; one for the program, held by wmain.
struct ShowBehaviour {
  DWORD hangOnHideMs = 0;  // once, at the first hide
  DWORD slowMs = 0;        // at every show or hide
  bool report = false;     // a test counts how often each window was turned over
};

void OnShowWindow(HWND window, bool showing) {
  auto* behaviour = reinterpret_cast<ShowBehaviour*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!behaviour) return;
  if (behaviour->report) {
    wchar_t title[256] = L"";
    GetWindowTextW(window, title, 256);
    std::wprintf(L"%ls%ls\n", showing ? L"[shown]" : L"[hidden]", title);
    std::fflush(stdout);
  }
  if (!showing && behaviour->hangOnHideMs) {
    const DWORD hang = behaviour->hangOnHideMs;
    behaviour->hangOnHideMs = 0;
    Sleep(hang);
  }
  if (behaviour->slowMs) Sleep(behaviour->slowMs);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      OnShowWindow(window, wParam != FALSE);
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_TIMER:
      if (wParam == kHangTimer) {
        KillTimer(window, kHangTimer);
        Sleep(60000);  // a hung program: its thread answers nothing
      }
      return 0;
    case WM_CLOSE: {
      wchar_t title[256] = L"";
      GetWindowTextW(window, title, 256);
      std::wprintf(L"closed %ls\n", title);
      std::fflush(stdout);
      PostQuitMessage(0);
      return 0;
    }
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

class TreeBuilder {
 public:
  explicit TreeBuilder(std::set<std::wstring>& registered) : registered_(registered) {}

  HWND Add(const wchar_t* className, const wchar_t* title, HWND parent, bool visible = true) {
    RegisterClassOnce(className, registered_);
    const DWORD style = (parent ? WS_CHILD : WS_POPUP | WS_BORDER) | (visible ? WS_VISIBLE : 0);
    const int left = parent ? 4 : 600 + offset_;
    const int top = parent ? 4 : 40 + offset_;
    if (!parent) offset_ += 30;
    HWND window =
        CreateWindowExW(0, className, title, style, left, top, parent ? 120 : 240,
                        parent ? 24 : 120, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    built.push_back({window, *title ? title : className});
    return window;
  }

  std::vector<TreeWindow> built;

 private:
  std::set<std::wstring>& registered_;
  int offset_ = 0;
};

void BuildDesktopIcons(TreeBuilder& tree, HWND host) {
  HWND view = tree.Add(L"SHELLDLL_DefView", L"", host);
  tree.Add(L"SysListView32", L"FolderView", view);
}

void BuildShellTree(TreeBuilder& tree, const std::wstring& kind) {
  HWND programManager = tree.Add(L"Progman", L"Program Manager", nullptr);
  if (kind == L"progman") return BuildDesktopIcons(tree, programManager);
  tree.Add(L"WorkerW", L"", nullptr);  // the wallpaper's worker holds no view
  BuildDesktopIcons(tree, tree.Add(L"WorkerW", L"", nullptr));
}

void BuildTaskbarTree(TreeBuilder& tree) {
  HWND taskbar = tree.Add(L"Shell_TrayWnd", L"", nullptr);
  HWND area = tree.Add(L"TrayNotifyWnd", L"", taskbar);
  tree.Add(L"Button", L"", area);  // opens the hidden icons
  HWND pager = tree.Add(L"SysPager", L"", area);
  tree.Add(L"ToolbarWindow32", L"User Promoted Notification Area", pager);
  tree.Add(L"ToolbarWindow32", L"System Promoted Notification Area", area);
  tree.Add(L"TrayClockWClass", L"", area);
  HWND overflow = tree.Add(L"NotifyIconOverflowWindow", L"", nullptr, /*visible=*/false);
  tree.Add(L"ToolbarWindow32", L"Overflow Notification Area", overflow);
}

// The icon belongs to a hidden window of its own, which no capture takes.
TreeWindow AddTrayIcon(const std::wstring& tip, std::set<std::wstring>& registered) {
  RegisterClassOnce(L"DpxTrayIconOwner", registered);
  HWND owner = CreateWindowExW(0, L"DpxTrayIconOwner", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = owner;
  icon.uID = 1;
  icon.uFlags = NIF_ICON | NIF_TIP;
  icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpynW(icon.szTip, tip.c_str(), 128);
  return {Shell_NotifyIconW(NIM_ADD, &icon) ? owner : nullptr, L"tray icon"};
}

// The next message; with `pumpEvery`, as a render loop takes them: everything waiting, then a
// frame's sleep, during which messages sent to its windows wait too.
bool NextMessage(MSG& message, DWORD pumpEvery) {
  if (!pumpEvery) return GetMessageW(&message, nullptr, 0, 0) > 0;
  while (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) Sleep(pumpEvery);
  return message.message != WM_QUIT;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<WindowRequest> requests;
  WindowRequest next;
  UINT hangAfter = 0;
  std::wstring shellTree;
  bool taskbarTree = false;
  std::vector<std::wstring> trayTips;
  UINT hiddenFor = 0;
  std::vector<std::wstring> messageOnlyTitles;
  std::vector<HANDLE> heldFiles;  // closed when the process ends
  std::wstring hotKey;
  bool shellWindow = false;
  ShowBehaviour showBehaviour;
  DWORD pumpEvery = 0;
  if (argc == 1) {
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    requests.push_back({std::wstring(L"started in ") + folder});
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    const wchar_t* value = argv[i + 1];
    if (option == L"--window") {
      next.title = value;
      requests.push_back(next);
      next = WindowRequest{};
    } else if (option == L"--class") {
      next.className = value;
    } else if (option == L"--exstyle") {
      next.exStyle = static_cast<DWORD>(std::wcstoul(value, nullptr, 16));
    } else if (option == L"--hang-after") {
      hangAfter = static_cast<UINT>(std::wcstoul(value, nullptr, 10));
    } else if (option == L"--hang-on-hide") {
      showBehaviour.hangOnHideMs = static_cast<DWORD>(std::wcstoul(value, nullptr, 10));
    } else if (option == L"--slow-ms") {
      showBehaviour.slowMs = static_cast<DWORD>(std::wcstoul(value, nullptr, 10));
    } else if (option == L"--report-shows") {
      showBehaviour.report = std::wcscmp(value, L"1") == 0;
    } else if (option == L"--pump-every") {
      pumpEvery = static_cast<DWORD>(std::wcstoul(value, nullptr, 10));
    } else if (option == L"--minimized") {
      next.minimized = std::wcscmp(value, L"1") == 0;
    } else if (option == L"--shell-tree") {
      shellTree = value;
    } else if (option == L"--taskbar-tree") {
      taskbarTree = std::wcscmp(value, L"1") == 0;
    } else if (option == L"--tray-icon") {
      trayTips.push_back(value);
    } else if (option == L"--hidden-for") {
      hiddenFor = static_cast<UINT>(std::wcstoul(value, nullptr, 10));
    } else if (option == L"--child") {
      next.childTitle = value;
    } else if (option == L"--message-only") {
      messageOnlyTitles.push_back(value);
    } else if (option == L"--shell-window") {
      shellWindow = std::wcscmp(value, L"1") == 0;
    } else if (option == L"--hot-key") {
      hotKey = value;
    } else if (option == L"--hold-file") {
      heldFiles.push_back(CreateFileW(value, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    } else if (option == L"--load-library") {
      LoadLibraryW(value);  // stays loaded until the process ends
    }
  }

  std::set<std::wstring> registered;
  std::vector<HWND> windows;
  int offset = 0;
  for (const WindowRequest& request : requests) {
    RegisterClassOnce(request.className, registered);
    HWND window = CreateWindowExW(request.exStyle, request.className.c_str(), request.title.c_str(),
                                  WS_OVERLAPPEDWINDOW, 40 + offset, 40 + offset, 320, 200, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    offset += 30;
    if (!hiddenFor) ShowWindow(window, request.minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
    // Only now, so that the window's first show is quick and unreported.
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&showBehaviour));
    windows.push_back(window);
  }
  std::vector<TreeWindow> extraWindows;
  for (std::size_t i = 0; i < requests.size(); ++i) {
    if (requests[i].childTitle.empty()) continue;
    HWND child =
        CreateWindowExW(0, L"Static", requests[i].childTitle.c_str(), WS_CHILD | WS_VISIBLE, 4, 4,
                        120, 24, windows[i], nullptr, GetModuleHandleW(nullptr), nullptr);
    extraWindows.push_back({child, requests[i].childTitle});
  }
  for (const std::wstring& title : messageOnlyTitles) {
    RegisterClassOnce(L"DpxTestWindow", registered);
    HWND window = CreateWindowExW(0, L"DpxTestWindow", title.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    extraWindows.push_back({window, title});
  }
  TreeBuilder tree(registered);
  if (!shellTree.empty()) BuildShellTree(tree, shellTree);
  if (taskbarTree) BuildTaskbarTree(tree);
  for (const std::wstring& tip : trayTips) tree.built.push_back(AddTrayIcon(tip, registered));
  for (std::size_t i = 0; i < windows.size(); ++i)
    std::wprintf(L"%llx %ls\n",
                 static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(windows[i])),
                 requests[i].title.c_str());
  tree.built.insert(tree.built.begin(), extraWindows.begin(), extraWindows.end());
  for (const TreeWindow& built : tree.built)
    std::wprintf(L"%llx %ls\n",
                 static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(built.window)),
                 built.label.c_str());
  std::fflush(stdout);
  if (!hotKey.empty() && !windows.empty()) {
    wchar_t* keyCode = nullptr;
    const auto modifiers = static_cast<UINT>(std::wcstoul(hotKey.c_str(), &keyCode, 10));
    const auto key =
        static_cast<UINT>(std::wcstoul(*keyCode == L':' ? keyCode + 1 : keyCode, nullptr, 10));
    std::wprintf(RegisterHotKey(windows[0], 1, modifiers, key) ? L"hot key held\n"
                                                               : L"hot key refused\n");
    std::fflush(stdout);
  }
  if (shellWindow && !windows.empty()) {
    SetShellWindow(windows[0]);
    std::wprintf(GetShellWindow() == windows[0] ? L"shell window set\n"
                                                : L"shell window refused\n");
    std::fflush(stdout);
  }
  if (hangAfter && !windows.empty()) SetTimer(windows[0], kHangTimer, hangAfter, nullptr);
  const UINT_PTR showTimer = hiddenFor ? SetTimer(nullptr, 0, hiddenFor, nullptr) : 0;

  MSG message;
  while (NextMessage(message, pumpEvery)) {
    if (showTimer && message.message == WM_TIMER && message.wParam == showTimer) {
      KillTimer(nullptr, showTimer);
      for (std::size_t i = 0; i < windows.size(); ++i)
        ShowWindow(windows[i], requests[i].minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
      std::wprintf(L"shown\n");
      std::fflush(stdout);
      continue;
    }
    if (message.message == WM_HOTKEY) {
      std::wprintf(L"hot key pressed\n");
      std::fflush(stdout);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
