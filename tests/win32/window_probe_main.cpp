// dpx_window_probe.exe: reports windows as a third process sees them, one line per handle given:
//   HWND visible=0|1 exstyle=HEX [mark=HEX]
// (mark: the value of DPX's "DPX.HiddenExStyle" property, when the window carries it)
// so a test never judges a hide by the word of the process that did it. An argument
// "class:NAME" stands for the first top-level window of that class on the probe's desktop; its
// line starts with "class:NAME HWND" (HWND 0 and "gone" when there is none). The argument
// "foreground" prints "foreground HWND" for the window that has the foreground (0 for none);
// "foreground-title" prints "foreground-title TITLE" for it (an empty title for none).
// "texts:TITLE" prints "text: T" for the text of each child of the top-level window of that
// title (what a message box says), or "texts: none" when there is no such window.
// "shell-restarted" shows the taskbar and broadcasts "TaskbarCreated", as a new shell would.
// "rows:ID" reads the list view with that control id in a shown top-level window: it prints
// "list X Y W H" (its place on the screen), then "row X Y W H SELECTED CELLS" for each row, its
// cells separated by tabs, or "rows: none" when there is no such list.
// "query-end-session:CLASS" sends WM_QUERYENDSESSION (logoff) to the top-level window of that
// class and prints "query-end-session yes|no|unanswered" once it has answered.
// "mapping:NAME" opens the named file mapping of that name as any program of the session may, and
// prints "mapping read=HEX|none write=yes|no": its first 64-bit value when it opens for reading,
// and whether it opens for writing.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

BOOL CALLBACK PrintChildText(HWND child, LPARAM) {
  // Asked of the control itself: GetWindowTextW would give another process's edit field its
  // creation text, not what it holds now.
  wchar_t text[1024] = L"";
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                          1000, &length) &&
      length > 0)
    std::wprintf(L"text: %ls\n", text);
  return TRUE;
}

struct ListSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindListChild(HWND child, LPARAM search) {
  auto* wanted = reinterpret_cast<ListSearch*>(search);
  wchar_t className[64] = L"";
  GetClassNameW(child, className, 64);
  if (GetDlgCtrlID(child) != wanted->id || std::wcscmp(className, WC_LISTVIEWW) != 0) return TRUE;
  wanted->found = child;
  return FALSE;
}

BOOL CALLBACK FindListInTopLevel(HWND top, LPARAM search) {
  if (IsWindowVisible(top)) EnumChildWindows(top, FindListChild, search);
  return reinterpret_cast<ListSearch*>(search)->found == nullptr;
}

// A list view's messages take pointers, so the buffers they fill must live in the list's process.
void PrintRows(HWND list) {
  RECT place{};
  GetWindowRect(list, &place);
  std::wprintf(L"list %ld %ld %ld %ld\n", place.left, place.top, place.right - place.left,
               place.bottom - place.top);
  DWORD processId = 0;
  GetWindowThreadProcessId(list, &processId);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  constexpr int kTextChars = 512;
  struct Buffers {
    LVITEMW item;
    RECT rect;
    wchar_t text[kTextChars];
  };
  auto* remote = static_cast<Buffers*>(
      VirtualAllocEx(process, nullptr, sizeof(Buffers), MEM_COMMIT, PAGE_READWRITE));
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows && remote; ++row) {
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    WriteProcessMemory(process, &remote->rect, &bounds, sizeof bounds, nullptr);
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&remote->rect));
    ReadProcessMemory(process, &remote->rect, &bounds, sizeof bounds, nullptr);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    std::wstring cells;
    for (int column = 0; column < columns; ++column) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = remote->text;
      item.cchTextMax = kTextChars;
      WriteProcessMemory(process, &remote->item, &item, sizeof item, nullptr);
      SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&remote->item));
      wchar_t text[kTextChars] = L"";
      ReadProcessMemory(process, remote->text, text, sizeof text, nullptr);
      text[kTextChars - 1] = L'\0';
      cells += (column ? L"\t" : L"") + std::wstring(text);
    }
    const bool selected = SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0;
    std::wprintf(L"row %ld %ld %ld %ld %d %ls\n", bounds.left, bounds.top,
                 bounds.right - bounds.left, bounds.bottom - bounds.top, selected ? 1 : 0,
                 cells.c_str());
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process) CloseHandle(process);
}

void PrintMapping(const wchar_t* name) {
  std::wprintf(L"mapping read=");
  if (HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, name)) {
    if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(LONGLONG))) {
      std::wprintf(L"%llx", static_cast<unsigned long long>(*static_cast<const LONGLONG*>(view)));
      UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
  } else {
    std::wprintf(L"none");
  }
  HANDLE writable = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
  std::wprintf(L" write=%ls\n", writable ? L"yes" : L"no");
  if (writable) CloseHandle(writable);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"foreground") == 0) {
      std::wprintf(L"foreground %llx\n", static_cast<unsigned long long>(
                                             reinterpret_cast<UINT_PTR>(GetForegroundWindow())));
      continue;
    }
    if (std::wcscmp(argv[i], L"foreground-title") == 0) {
      wchar_t title[256] = L"";
      if (HWND foreground = GetForegroundWindow()) GetWindowTextW(foreground, title, 256);
      std::wprintf(L"foreground-title %ls\n", title);
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
    if (std::wcsncmp(argv[i], L"query-end-session:", 18) == 0) {
      // What the system asks every top-level window at logoff, sent as it sends it.
      DWORD_PTR answer = 0;
      const LRESULT sent =
          SendMessageTimeoutW(FindWindowW(argv[i] + 18, nullptr), WM_QUERYENDSESSION, 0,
                              ENDSESSION_LOGOFF, SMTO_NORMAL, 20000, &answer);
      std::wprintf(L"query-end-session %ls\n", sent == 0 ? L"unanswered" : answer ? L"yes" : L"no");
      continue;
    }
    if (std::wcsncmp(argv[i], L"mapping:", 8) == 0) {
      PrintMapping(argv[i] + 8);
      continue;
    }
    if (std::wcscmp(argv[i], L"shell-restarted") == 0) {
      // What a restarted shell does: its taskbar comes up, and every top-level window is told.
      ShowWindow(FindWindowW(L"Shell_TrayWnd", nullptr), SW_SHOWNA);
      SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
      std::wprintf(L"shell-restarted\n");
      continue;
    }
    if (std::wcsncmp(argv[i], L"rows:", 5) == 0) {
      ListSearch search{static_cast<int>(std::wcstol(argv[i] + 5, nullptr, 10)), nullptr};
      EnumWindows(FindListInTopLevel, reinterpret_cast<LPARAM>(&search));
      if (search.found)
        PrintRows(search.found);
      else
        std::wprintf(L"rows: none\n");
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
    std::wprintf(L"%llx visible=%d exstyle=%lx", handle, IsWindowVisible(window) ? 1 : 0,
                 static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
    // DPX's mark on a window it hid, read from a process that is not DPX.
    if (HANDLE mark = GetPropW(window, L"DPX.HiddenExStyle"))
      std::wprintf(L" mark=%llx",
                   static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(mark)));
    std::wprintf(L"\n");
  }
  return 0;
}
