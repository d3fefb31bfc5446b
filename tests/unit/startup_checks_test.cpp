#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/version_gate.h"
#include "common/window_geometry.h"

namespace dpx {
namespace {

TEST(VersionGateTest, RefusesOnlyBuildsAboveTheNewestKnownOnWindows10AndLater) {
  struct Case {
    unsigned major, minor, build;
    bool unsupported;
  };
  for (const Case c :
       {Case{10, 0, 26200, false}, Case{10, 0, 26201, true}, Case{11, 0, 26201, true},
        Case{11, 0, 22631, false}, Case{6, 1, 7601, false}, Case{6, 1, 99999, false},
        Case{6, 3, 26201, false}, Case{5, 1, 2600, false}}) {
    EXPECT_EQ(IsWindowsVersionUnsupported(VersionInfo{c.major, c.minor, c.build, kPlatformWin32Nt}),
              c.unsupported)
        << c.major << "." << c.minor << "." << c.build;
  }
}

TEST(VersionGateTest, AnUnreadableVersionIsRefused) {
  EXPECT_TRUE(IsWindowsVersionUnsupported(std::nullopt));
}

TEST(QuietStartTest, OnlyAFirstArgumentOfSlashQInAnyCase) {
  struct Case {
    std::vector<std::wstring> arguments;
    bool quiet;
  };
  const Case cases[] = {
      {{L"/q"}, true},   {{L"/Q"}, true},  {{L"/Q", L"more"}, true}, {{L"/q", L"/x"}, true},
      {{}, false},       {{L"-q"}, false}, {{L"/quiet"}, false},     {{L"x", L"/Q"}, false},
      {{L"/Q "}, false}, {{L""}, false},   {{L"Q"}, false},
  };
  for (const Case& c : cases) {
    std::wstring joined;
    for (const auto& a : c.arguments) joined += L"[" + a + L"]";
    EXPECT_EQ(IsQuietStart(c.arguments), c.quiet) << std::string(joined.begin(), joined.end());
  }
}

TEST(RestoreCommandTest, OnlyAFirstArgumentOfSlashRestoreInAnyCase) {
  EXPECT_TRUE(IsRestoreCommand({L"/restore"}));
  EXPECT_TRUE(IsRestoreCommand({L"/RESTORE", L"x"}));
  EXPECT_FALSE(IsRestoreCommand({}));
  EXPECT_FALSE(IsRestoreCommand({L"/Q", L"/restore"}));
  EXPECT_FALSE(IsRestoreCommand({L"/restor"}));
  EXPECT_FALSE(IsRestoreCommand({L"restore"}));
}

TEST(CenterFormOverTest, CentresAndKeepsOnThePrimaryScreen) {
  struct Case {
    const char* name;
    ScreenRect base, placed;
    ScreenPoint expected;
  };
  const Case cases[] = {
      {"centred", {100, 100, 800, 600}, {0, 0, 400, 200}, {300, 300}},
      {"odd difference rounds toward zero", {0, 0, 401, 301}, {0, 0, 100, 100}, {150, 100}},
      {"placed larger than base: negative half rounds toward zero",
       {500, 500, 100, 100},
       {0, 0, 301, 201},
       {400, 450}},
      {"base partly off the left edge", {-300, 100, 400, 300}, {0, 0, 200, 100}, {0, 200}},
      {"base partly off the top edge", {100, -300, 400, 300}, {0, 0, 200, 100}, {200, 0}},
      {"base partly off the right and bottom",
       {1800, 1000, 400, 300},
       {0, 0, 300, 200},
       {1620, 880}},
      {"larger than the screen ends up negative",
       {0, 0, 1920, 1080},
       {0, 0, 2000, 1200},
       {-80, -120}},
  };
  for (const Case& c : cases) {
    const ScreenPoint at = CenterFormOver(c.base, c.placed, 1920, 1080);
    EXPECT_EQ(at.left, c.expected.left) << c.name;
    EXPECT_EQ(at.top, c.expected.top) << c.name;
  }
}

}  // namespace
}  // namespace dpx
