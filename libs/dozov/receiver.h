#pragma once

#include <windows.h>

namespace dozov {

// The receiver window lives in the program that loaded the library, but the hooks that run
// inside other programs post to it too, so it is kept in a data section that every process
// loading this library shares, one slot per logon session.
void SetSharedReceiver(HWND receiver);
HWND SharedReceiver();

// Posts one of the registered messages ("MY_SHELL_EVENT", ...) to this session's receiver.
void PostToReceiver(const wchar_t* messageName, WPARAM wParam, LPARAM lParam);

}  // namespace dozov
