#include <gtest/gtest.h>

#include "fakes/simulated_desktop.h"
#include "hide/exe_path.h"

namespace dpx {
namespace {

TEST(ConvertDevicePathTest, MapsTheDevicePartToTheFirstMatchingDriveLetter) {
  fakes::SimulatedDesktop desktop;
  desktop.AddDrive(L'C', L"\\Device\\HarddiskVolume1");
  desktop.AddDrive(L'D', L"\\Device\\HarddiskVolume2");
  desktop.AddDrive(L'E', L"\\Device\\HarddiskVolume2");  // a second letter for the same volume

  EXPECT_EQ(ConvertDevicePath(desktop, L"\\Device\\HarddiskVolume1\\Windows\\notepad.exe"),
            L"C:\\Windows\\notepad.exe");
  EXPECT_EQ(ConvertDevicePath(desktop, L"\\Device\\HarddiskVolume2\\a.exe"), L"D:\\a.exe");
  // Only ASCII letters fold.
  EXPECT_EQ(ConvertDevicePath(desktop, L"\\DEVICE\\harddiskvolume1\\x.exe"), L"C:\\x.exe");
  // A prefix of a device name is not that device.
  EXPECT_EQ(ConvertDevicePath(desktop, L"\\Device\\HarddiskVolume10\\x.exe"),
            L"\\Device\\HarddiskVolume10\\x.exe");
}

TEST(ConvertDevicePathTest, LeavesPathsItCannotMapUnchanged) {
  fakes::SimulatedDesktop desktop;
  desktop.AddDrive(L'C', L"\\Device\\HarddiskVolume1");
  for (const wchar_t* path :
       {L"\\Device\\Mup\\server\\share\\app.exe", L"\\Device\\HarddiskVolume1", L"", L"\\",
        L"C:\\plain\\path.exe", L"noslashes"}) {
    EXPECT_EQ(ConvertDevicePath(desktop, path), path);
  }
  // The device part alone, ending in its backslash, maps to the bare drive.
  EXPECT_EQ(ConvertDevicePath(desktop, L"\\Device\\HarddiskVolume1\\"), L"C:\\");
}

}  // namespace
}  // namespace dpx
