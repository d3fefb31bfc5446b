#include "dpxtray.h"

#include <windows.h>

#include <cstring>

#include "hidden_icons.h"
#include "notification_area.h"

namespace {

bool Authorized(int value, const char* accessCode) {
  // strncmp stops at the caller's terminator, so a shorter string is never read past its end.
  return value == DPXTRAY_HIDE_VALUE && accessCode != nullptr &&
         std::strncmp(accessCode, DPXTRAY_ACCESS_CODE, sizeof DPXTRAY_ACCESS_CODE) == 0;
}

}  // namespace

extern "C" int __stdcall HideTray(int value, const char* accessCode) {
  if (!Authorized(value, accessCode)) return 0;
  dpxtray::ProcessHiddenIcons().Hide(dpxtray::VisibleIconWindows());
  return 1;
}

extern "C" int __stdcall RestoreTray(void) {
  return dpxtray::ProcessHiddenIcons().Restore();
}

extern "C" int __stdcall RestoreMarkedTray(void) {
  return dpxtray::ProcessHiddenIcons().RestoreMarked(dpxtray::AllIconWindows());
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  // A program that ends with the icons still hidden must not take them away for the rest of the
  // logon.
  if (reason == DLL_PROCESS_DETACH) dpxtray::ProcessHiddenIcons().RestoreWithoutWaiting();
  return TRUE;
}
