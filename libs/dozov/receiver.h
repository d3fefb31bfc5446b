#pragma once

#include <windows.h>

namespace dozov {

// The receiver window lives in the program that calls SetReceiver; the hooks that run inside
// other programs find it in a small named object of the logon session, which that program
// writes and every other program may only read. No memory of the library is shared.
void PublishReceiver(HWND receiver);

// Posts one of the registered messages ("MY_SHELL_EVENT", ...) to this session's receiver.
void PostToReceiver(const wchar_t* messageName, WPARAM wParam, LPARAM lParam);

}  // namespace dozov
