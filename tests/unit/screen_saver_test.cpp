#include <gtest/gtest.h>

#include "actions/screen_saver.h"
#include "fakes/fake_workstation.h"

namespace dpx {
namespace {

const std::string kScreenSave = "PostToDesktop 0x112 0xf140 0";

class ScreenSaverTest : public ::testing::Test {
 protected:
  fakes::FakeWorkstation workstation;
  Options options;  // the lock option is on by default
  ScreenSaverAndLock screenSaver{workstation, options};
};

TEST_F(ScreenSaverTest, LocksFirstThenPostsTheScreenSaverCommandToTheDesktop) {
  ASSERT_TRUE(screenSaver.LoadLockWorkStation());
  workstation.log.clear();
  screenSaver.ScreenSaverCommand();
  EXPECT_EQ(workstation.log, (std::vector<std::string>{"Call LockWorkStation", kScreenSave}));
}

TEST_F(ScreenSaverTest, TheLockOptionIsReadAtEachCommand) {
  ASSERT_TRUE(screenSaver.LoadLockWorkStation());
  workstation.log.clear();
  options.lockWorkstation = false;
  screenSaver.ScreenSaverCommand();
  options.lockWorkstation = true;
  screenSaver.ScreenSaverCommand();
  EXPECT_EQ(workstation.log,
            (std::vector<std::string>{kScreenSave, "Call LockWorkStation", kScreenSave}));
}

TEST_F(ScreenSaverTest, WithoutALockEntryPointOnlyTheScreenSaverStarts) {
  for (const bool libraryExists : {false, true}) {
    fakes::FakeWorkstation bare;
    if (libraryExists)
      bare.libraries = {{L"User32.Dll", {"MessageBoxW"}}};
    else
      bare.libraries.clear();
    ScreenSaverAndLock command(bare, options);
    EXPECT_FALSE(command.LoadLockWorkStation());
    EXPECT_FALSE(command.HasLockEntryPoint());
    EXPECT_EQ(bare.librariesHeld, 0);  // a library without the export is released at once
    bare.log.clear();
    command.ScreenSaverCommand();
    command.FreeLockWorkStation();
    EXPECT_EQ(bare.log, std::vector<std::string>{kScreenSave}) << "library " << libraryExists;
  }
}

TEST_F(ScreenSaverTest, FreeingReleasesTheLibraryOnceAndForgetsTheLock) {
  ASSERT_TRUE(screenSaver.LoadLockWorkStation());
  EXPECT_EQ(workstation.librariesHeld, 1);
  workstation.log.clear();
  screenSaver.FreeLockWorkStation();
  screenSaver.FreeLockWorkStation();
  screenSaver.ScreenSaverCommand();
  EXPECT_EQ(workstation.log, (std::vector<std::string>{"FreeLibrary User32.Dll", kScreenSave}));
  EXPECT_EQ(workstation.librariesHeld, 0);
}

}  // namespace
}  // namespace dpx
