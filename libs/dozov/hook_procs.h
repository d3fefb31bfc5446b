#pragma once

#include <windows.h>

namespace dozov {

// The hook procedures. The low-level ones run on the watching thread; the others run inside
// every hooked program, so they touch nothing but the shared receiver.
LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);          // kind 1
LRESULT CALLBACK MouseLowLevelProc(int code, WPARAM wParam, LPARAM lParam);     // kind 4
LRESULT CALLBACK KeyboardLowLevelProc(int code, WPARAM wParam, LPARAM lParam);  // kind 6
LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam);           // kind 8, sent
LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam);        // kind 8, posted

// The keystroke flags of a key message (repeat count 1, scan code, extended, Alt, previous state
// and transition) from a low-level key event, so both key kinds report in one form.
LPARAM KeystrokeFlags(DWORD scanCode, DWORD lowLevelFlags);

}  // namespace dozov
