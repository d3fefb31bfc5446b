#pragma once

// dozov.dll: tells a window of the program that loads it what happens on the desktop, as
// registered window messages posted to that window. Every entry point is called on one thread,
// the one that pumps the receiver window's messages.

#include <windows.h>

extern "C" {
// The window that gets the notifications from now on.
void __stdcall SetReceiver(HWND receiver);
// Starts or stops one kind of notification: 0 shell (windows created, destroyed, activated;
// nothing is loaded into other programs for it), 1 keys, 4 mouse buttons, 6 low-level keys, 8 close
// queries. Other kinds are ignored.
void __stdcall StartWatching(INT32 kind);
void __stdcall StopWatching(INT32 kind);
// TRUE while any kind is being delivered.
BOOL __stdcall StillWatching(void);
// Stops every kind and forgets the receiver.
void __stdcall StopAll(void);
}
