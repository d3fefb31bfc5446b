// dpx_tray_caller.exe: a program that imports dpxtray.dll, as dpx.exe does.
//   dpx_tray_caller.exe CODE   calls HideTray(1, CODE), prints "HideTray N" and ends at once,
//                              without RestoreTray.
#include <windows.h>

#include <cstdio>

#include "dpxtray.h"

int main(int argc, char** argv) {
  const int result = HideTray(DPXTRAY_HIDE_VALUE, argc > 1 ? argv[1] : nullptr);
  std::printf("HideTray %d\n", result);
  std::fflush(stdout);
  return 0;
}
