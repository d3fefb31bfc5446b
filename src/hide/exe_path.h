#pragma once

#include <string>

#include "platform/processes.h"
#include "platform/window_manager.h"

namespace dpx {

// Full path of the executable of the window's process, drive-letter form; empty when unknown.
std::wstring GetWindowExePath(WindowManager& windows, Processes& processes, WindowHandle window);

// "\Device\HarddiskVolume1\dir\app.exe" -> "C:\dir\app.exe" when C: is that device;
// unchanged when no drive letter maps to it (a network path, for example).
std::wstring ConvertDevicePath(Processes& processes, const std::wstring& devicePath);

}  // namespace dpx
