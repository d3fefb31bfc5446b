#include <gtest/gtest.h>

#include "actions/wallpaper_action.h"
#include "fakes/fake_user_registry.h"
#include "fakes/simulated_wallpaper.h"

namespace dpx {
namespace {

const std::wstring kUserPicture = L"C:\\Users\\me\\Pictures\\beach.jpg";

class WallpaperActionTest : public ::testing::Test {
 protected:
  WallpaperActionTest() {
    options.hideWallpaper = true;
    registry.WriteText(kDesktopKey, kWallpaperValue, kUserPicture);
    shell.SetActiveDesktopWallpaper(kUserPicture);
  }

  std::wstring RegistryValue() {
    return registry.ReadText(L"Control Panel\\Desktop", L"Wallpaper").value_or(L"<none>");
  }

  fakes::FakeUserRegistry registry;
  fakes::SimulatedWallpaper shell{registry};
  Options options;
  WallpaperAction wallpaper{shell, registry, options};
};

TEST_F(WallpaperActionTest, RegistryRouteEmptiesTheValueWhileHiddenAndPutsTheTextBack) {
  for (const std::wstring& old : {kUserPicture, std::wstring(L""), std::wstring(300, L'x')}) {
    registry.WriteText(kDesktopKey, kWallpaperValue, old);
    wallpaper.HideWallpaper();
    EXPECT_EQ(RegistryValue(), L"");
    EXPECT_EQ(shell.shownFromRegistry(), L"");
    EXPECT_EQ(shell.activeDesktopWallpaper(), kUserPicture) << "the object is not touched";

    wallpaper.RestoreWallpaper();
    EXPECT_EQ(RegistryValue(), old);
    EXPECT_EQ(shell.shownFromRegistry(), old);
  }
}

// Read as a plain string only, such a value counted as missing: the restore then wrote "" and the
// picture was gone.
TEST_F(WallpaperActionTest, AnExpandablePathKeepsItsTypeAndTextThroughHideRestoreAndRecovery) {
  const RegistryString expandable{L"%USERPROFILE%\\Pictures\\beach.jpg", true};
  const RegistryString emptied{L"", true};
  registry.WriteString(kDesktopKey, kWallpaperValue, expandable);
  wallpaper.HideWallpaper();
  EXPECT_EQ(registry.ReadString(kDesktopKey, kWallpaperValue), emptied);
  EXPECT_EQ(shell.shownFromRegistry(), L"");
  EXPECT_EQ(wallpaper.PathToPutBack(), expandable.text);
  wallpaper.RestoreWallpaper();
  EXPECT_EQ(registry.ReadString(kDesktopKey, kWallpaperValue), expandable);
  EXPECT_EQ(shell.shownFromRegistry(), expandable.text);

  // A recovery knows only the path: the type the dead run's hide left stays.
  wallpaper.HideWallpaper();
  WallpaperAction afterACrash{shell, registry, options};
  afterACrash.PutBackWallpaper(expandable.text);
  EXPECT_EQ(registry.ReadString(kDesktopKey, kWallpaperValue), expandable);

  // A plain string stays plain.
  registry.WriteText(kDesktopKey, kWallpaperValue, kUserPicture);
  wallpaper.HideWallpaper();
  EXPECT_EQ(registry.ReadString(kDesktopKey, kWallpaperValue), (RegistryString{L"", false}));
  wallpaper.RestoreWallpaper();
  EXPECT_EQ(registry.ReadString(kDesktopKey, kWallpaperValue),
            (RegistryString{kUserPicture, false}));
}

TEST_F(WallpaperActionTest, TheJournalGetsThePathOnlyWhileTakenAndARecoveryPutsItBack) {
  EXPECT_FALSE(wallpaper.PathToPutBack());
  wallpaper.HideWallpaper();
  EXPECT_EQ(wallpaper.PathToPutBack(), kUserPicture);
  wallpaper.RestoreWallpaper();
  EXPECT_FALSE(wallpaper.PathToPutBack());

  // A new run, whatever its options, puts the dead run's picture back.
  options.hideWallpaper = false;
  registry.WriteText(kDesktopKey, kWallpaperValue, L"");
  wallpaper.PutBackWallpaper(L"C:\\pictures\\sea.bmp");
  EXPECT_EQ(RegistryValue(), L"C:\\pictures\\sea.bmp");
  EXPECT_EQ(shell.shownFromRegistry(), L"C:\\pictures\\sea.bmp");
}

TEST_F(WallpaperActionTest, AMissingRegistryValueIsSavedAsNoPicture) {
  fakes::FakeUserRegistry empty;
  fakes::SimulatedWallpaper bare{empty};
  WallpaperAction action(bare, empty, options);
  action.HideWallpaper();
  action.RestoreWallpaper();
  EXPECT_EQ(empty.ReadText(kDesktopKey, kWallpaperValue), L"");
}

TEST_F(WallpaperActionTest, ActiveDesktopRouteGoesThroughTheShellObject) {
  shell.SetActiveDesktopOn(true);
  wallpaper.HideWallpaper();
  EXPECT_EQ(shell.activeDesktopWallpaper(), L"");
  EXPECT_EQ(wallpaper.savedPath(), kUserPicture);
  wallpaper.RestoreWallpaper();
  EXPECT_EQ(shell.activeDesktopWallpaper(), kUserPicture);
  EXPECT_EQ(shell.log(),
            (std::vector<std::wstring>{L"open", L"enabled?", L"open", L"get", L"set ", L"open",
                                       L"enabled?", L"open", L"set " + kUserPicture}));
  EXPECT_EQ(RegistryValue(), kUserPicture) << "the registry is not touched";
}

TEST_F(WallpaperActionTest, TheRouteMayChangeBetweenHideAndRestore) {
  shell.SetActiveDesktopOn(true);
  wallpaper.HideWallpaper();
  shell.SetActiveDesktopOn(false);
  registry.WriteText(kDesktopKey, kWallpaperValue, L"C:\\other.bmp");
  wallpaper.RestoreWallpaper();
  EXPECT_EQ(RegistryValue(), kUserPicture) << "the path the object saved goes to the registry";

  const std::wstring fromRegistry = L"C:\\Windows\\Web\\registry.bmp";
  registry.WriteText(kDesktopKey, kWallpaperValue, fromRegistry);
  wallpaper.HideWallpaper();
  shell.SetActiveDesktopOn(true);
  wallpaper.RestoreWallpaper();
  EXPECT_EQ(shell.activeDesktopWallpaper(), fromRegistry);
}

TEST_F(WallpaperActionTest, ActiveDesktopRoutePutsBackOnlyPathsItsBufferHolds) {
  struct Case {
    std::size_t length;
    bool restored;
  };
  for (const Case& c : {Case{259, true}, Case{260, false}, Case{600, false}}) {
    SCOPED_TRACE(c.length);
    const std::wstring longPath = L"C:\\" + std::wstring(c.length - 3, L'p');
    registry.WriteText(kDesktopKey, kWallpaperValue, longPath);
    shell.SetActiveDesktopOn(false);
    wallpaper.HideWallpaper();
    shell.SetActiveDesktopOn(true);
    shell.SetActiveDesktopWallpaper(L"C:\\leftover.bmp");
    wallpaper.RestoreWallpaper();
    EXPECT_EQ(shell.activeDesktopWallpaper(), c.restored ? longPath : L"");
    EXPECT_EQ(shell.log().back(), L"set " + (c.restored ? longPath : L""))
        << "no path is handed to the object that its buffer cannot hold";
  }
}

TEST_F(WallpaperActionTest, WithoutTheActiveDesktopObjectTheRegistryRouteWorks) {
  shell.RemoveActiveDesktopObject();
  EXPECT_FALSE(wallpaper.IsActiveDesktopOn());
  EXPECT_NO_THROW(wallpaper.HideWallpaper());
  EXPECT_EQ(RegistryValue(), L"");
  EXPECT_NO_THROW(wallpaper.RestoreWallpaper());
  EXPECT_EQ(RegistryValue(), kUserPicture);
}

TEST_F(WallpaperActionTest, HideWallpaperDecidesAtHideAndAtRestore) {
  struct Case {
    const char* name;
    bool atHide;
    bool atRestore;
    std::wstring whileHidden;
  };
  const Case cases[] = {
      {"cleared throughout", false, false, kUserPicture},
      {"cleared during hide mode", true, false, L""},
      {"checked only during hide mode", false, true, kUserPicture},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::FakeUserRegistry reg;
    reg.WriteText(kDesktopKey, kWallpaperValue, kUserPicture);
    fakes::SimulatedWallpaper desk{reg};
    Options opts;
    WallpaperAction action(desk, reg, opts);

    opts.hideWallpaper = c.atHide;
    action.HideWallpaper();
    EXPECT_EQ(reg.ReadText(kDesktopKey, kWallpaperValue), c.whileHidden);
    // The user sets a new picture while hidden: a restore with nothing of its own keeps it.
    reg.WriteText(kDesktopKey, kWallpaperValue, L"C:\\new.jpg");
    opts.hideWallpaper = c.atRestore;
    action.RestoreWallpaper();
    EXPECT_EQ(reg.ReadText(kDesktopKey, kWallpaperValue), L"C:\\new.jpg");
    if (!c.atHide) {
      EXPECT_TRUE(desk.log().empty()) << "the Active Desktop state is not asked";
    }
  }
}

TEST_F(WallpaperActionTest, ARefusedRegistryWriteAtHideLeavesNothingToPutBack) {
  wallpaper.HideWallpaper();
  wallpaper.RestoreWallpaper();
  registry.RefuseAccess(true);
  wallpaper.HideWallpaper();
  registry.RefuseAccess(false);
  registry.WriteText(kDesktopKey, kWallpaperValue, L"C:\\new.jpg");
  wallpaper.RestoreWallpaper();
  EXPECT_EQ(RegistryValue(), L"C:\\new.jpg");
}

}  // namespace
}  // namespace dpx
