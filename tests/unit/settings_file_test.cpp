#include <gtest/gtest.h>

#include <cwchar>
#include <functional>

#include "app/password_verifier.h"
#include "app/settings_file.h"
#include "fakes/fake_profile_file.h"
#include "fakes/fake_user_registry.h"
#include "fakes/portable_password_hashing.h"

namespace dpx {
namespace {

const std::wstring kPath = L"C:\\Users\\Ann\\AppData\\Roaming\\Orvalen\\DPX\\dpx.dat";
const std::wstring kPasswordKey = L"Software\\Windows\\Cryptography";
constexpr int kCurrentMode = 7;
using RegistryValue = fakes::FakeUserRegistry::Value;

// Every key with its default, in the order of a first save.
const std::wstring kDefaultFile =
    L"[Sounds]\r\nModifyVolume=1\r\nVolume=65535\r\nVolumeMuted=0\r\n"
    L"[SpecialWindows]\r\nHideDesktop=0\r\nHideTaskBar=0\r\nTray=1\r\n"
    L"[General]\r\nHideNewlyCreatedWindows=0\r\nHideActiveWindow=0\r\nHideWallpaper=0\r\n"
    L"[SSaver]\r\nLockWorkstation=1\r\n"
    L"[Display]\r\nResolution=7\r\nSwitch=0\r\n"
    L"[HOTKEY_Windows]\r\nKey=Ctrl+`\r\n"
    L"[HOTKEY_App]\r\nKey=Ctrl+\\\r\n"
    L"[HOTKEY_SSaver]\r\nKey=Ctrl+F12\r\n"
    L"[MouseShortcut_Windows]\r\nEnabled=0\r\nZoneSize=20\r\nHoverInterval=500\r\nCorner=0\r\n"
    L"[MouseShortcut_SSaver]\r\nEnabled=0\r\nZoneSize=20\r\nHoverInterval=500\r\nCorner=1\r\n";

// Every option away from its default, so a test sees which ones a load really sets.
Options Changed() {
  Options o;
  o.modifyVolume = false;
  o.volume = 1234;
  o.volumeMuted = true;
  o.hideDesktop = true;
  o.hideTaskBar = true;
  o.hideTray = false;
  o.hideNewlyCreatedWindows = true;
  o.closeActiveWindow = true;
  o.hideWallpaper = true;
  o.lockWorkstation = false;
  o.resolution = 3;
  o.switchResolution = true;
  o.hideKey = L"Shift+Alt+H";
  o.programKey = L"Ctrl+P";
  o.screenSaverKey = L"F9";
  o.hideCorner = {true, 35, 1500, 3};
  o.screenSaverCorner = {true, 5, 0, 2};
  o.appPasswordProtected = true;
  return o;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  Options Load() {
    Options options = Changed();
    settings.LoadSettings(options, password, kCurrentMode);
    return options;
  }
  std::optional<RegistryValue> StoredPassword() { return registry.Get(kPasswordKey, L"10"); }

  fakes::FakeProfileFile profile;
  fakes::FakeUserRegistry registry;
  fakes::PortablePasswordHashing hashing;
  PasswordStore passwords{registry, hashing};
  SettingsFile settings{profile, passwords, kPath};
  std::wstring password = L"left over";
};

TEST_F(SettingsFileTest, WithoutAFileEveryOptionTakesItsDefaultAndTheFirstSaveWritesEveryKey) {
  Options expected;
  expected.resolution = kCurrentMode;
  EXPECT_EQ(Load(), expected);
  EXPECT_EQ(password, L"");

  settings.SaveSettings(expected, password);
  EXPECT_EQ(profile.Text(kPath), kDefaultFile);
  // The password value exists after the first save even though no password was ever set.
  EXPECT_EQ(StoredPassword(), RegistryValue(L""));
}

TEST_F(SettingsFileTest, WhatWasSavedLoadsBackAndSavesToTheSameFile) {
  profile.SetText(kPath,
                  L"; kept by the user\r\n[General]\r\nFuture=yes\r\n[Extra]\r\nKeep=me\r\n");
  Load();
  std::wstring typed = L"s3cret pass";
  settings.SaveSettings(Changed(), typed);
  const auto firstSave = profile.Text(kPath);

  EXPECT_EQ(Load(), Changed());
  EXPECT_EQ(password, typed);  // its hash, which the save put in place of the typed text
  EXPECT_TRUE(PasswordVerifier(password, hashing).Matches(L"s3cret pass"));
  settings.SaveSettings(Changed(), password);
  EXPECT_EQ(profile.Text(kPath), firstSave);
  // Keys DPX does not know are left where they were.
  EXPECT_NE(firstSave->find(L"[General]\r\nFuture=yes\r\nHideNewlyCreatedWindows=1"),
            std::wstring::npos);
  EXPECT_TRUE(firstSave->starts_with(L"; kept by the user\r\n"));
  EXPECT_NE(firstSave->find(L"[Extra]\r\nKeep=me\r\n[Sounds]\r\n"), std::wstring::npos);
}

struct StoredCase {
  const wchar_t* file;
  std::function<std::int64_t(const Options&)> option;
  std::int64_t expected;
};
void PrintTo(const StoredCase& c, std::ostream* out) {
  *out << ::testing::PrintToString(std::wstring(c.file));
}

class StoredValueTest : public SettingsFileTest,
                        public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredValueTest, ReadsAsTheOptionExpects) {
  profile.SetText(kPath, GetParam().file);
  EXPECT_EQ(GetParam().option(Load()), GetParam().expected) << GetParam().file;
}

std::int64_t HideCorner(const Options& o) {
  return o.hideCorner.corner;
}

INSTANTIATE_TEST_SUITE_P(
    EdgeValues, StoredValueTest,
    ::testing::Values(
        StoredCase{L"[MouseShortcut_Windows]\nCorner=257", HideCorner, 1},
        StoredCase{L"[MouseShortcut_Windows]\nCorner=-1", HideCorner, 255},
        StoredCase{L"[MouseShortcut_Windows]\nCorner=zero", HideCorner, 0},
        StoredCase{L"[MouseShortcut_SSaver]\nZoneSize=0x1E",
                   [](const Options& o) { return o.screenSaverCorner.zoneSize; }, 30},
        StoredCase{L"[MouseShortcut_SSaver]\nHoverInterval=-5",
                   [](const Options& o) { return o.screenSaverCorner.hoverInterval; }, -5},
        StoredCase{L"[SpecialWindows]\nTray=yes", [](const Options& o) { return o.hideTray; }, 1},
        StoredCase{L"[SpecialWindows]\nTray=2", [](const Options& o) { return o.hideTray; }, 1},
        StoredCase{L"[SpecialWindows]\nTray=0x0", [](const Options& o) { return o.hideTray; }, 0},
        StoredCase{L"[Sounds]\nVolume=70000", [](const Options& o) { return o.volume; }, 4464},
        StoredCase{L"[Sounds]\nVolume=-1", [](const Options& o) { return o.volume; }, 65535},
        StoredCase{L"[Sounds]\nVolume=", [](const Options& o) { return o.volume; }, 65535},
        StoredCase{L"[sounds]\nmodifyvolume=0", [](const Options& o) { return o.modifyVolume; }, 0},
        StoredCase{L"[Display]\nResolution=$10", [](const Options& o) { return o.resolution; }, 16},
        StoredCase{L"[Display]\nResolution=x", [](const Options& o) { return o.resolution; },
                   kCurrentMode}));

TEST_F(SettingsFileTest, AnEmptyHotKeyStaysEmptyAndIsNotChecked) {
  profile.SetText(kPath, L"[HOTKEY_App]\r\nKey=\r\n[HOTKEY_SSaver]\r\nKey=not a key\r\n");
  const Options options = Load();
  EXPECT_EQ(options.programKey, L"");
  EXPECT_EQ(options.screenSaverKey, L"not a key");
  EXPECT_EQ(options.hideKey, L"Ctrl+`");
}

TEST_F(SettingsFileTest, TheStoredPasswordChecksTheBox) {
  registry.WriteText(kPasswordKey, L"10", L"Pa ss");
  const Options options = Load();
  EXPECT_EQ(password, L"Pa ss");
  EXPECT_TRUE(options.appPasswordProtected);
}

TEST_F(SettingsFileTest, APasswordThatCannotBeReadCountsAsNone) {
  registry.SetNumber(kPasswordKey, L"10", 1234);
  EXPECT_FALSE(Load().appPasswordProtected);
  EXPECT_EQ(password, L"");

  registry.WriteText(kPasswordKey, L"10", L"hidden");
  registry.RefuseAccess(true);
  password = L"left over";
  EXPECT_FALSE(Load().appPasswordProtected);
  EXPECT_EQ(password, L"");
}

TEST_F(SettingsFileTest, AnUncheckedBoxSavesTheEmptyPassword) {
  registry.WriteText(kPasswordKey, L"10", L"old");
  Load();
  Options options = Changed();
  options.appPasswordProtected = false;
  password = L"typed";
  settings.SaveSettings(options, password);
  EXPECT_EQ(password, L"");
  EXPECT_EQ(StoredPassword(), RegistryValue(L""));

  options.appPasswordProtected = true;
  password = L"new";
  settings.SaveSettings(options, password);
  // A plain text in memory is stored as its hash, which then takes its place.
  EXPECT_EQ(StoredPassword(), RegistryValue(password));
  EXPECT_TRUE(PasswordVerifier(password, hashing).Matches(L"new"));
}

// The file is written first; the refused password then stops the save (the close) with its error.
TEST_F(SettingsFileTest, ARegistryThatRefusesThePasswordFailsTheSaveAfterTheFile) {
  Load();
  registry.RefuseAccess(true);
  password = L"new";
  EXPECT_THROW(settings.SaveSettings(Changed(), password), PasswordWriteError);
  EXPECT_NE(profile.Text(kPath), std::nullopt);
}

TEST_F(SettingsFileTest, AFailedWriteStopsTheSaveAndLeavesTheFileAsItWas) {
  registry.WriteText(kPasswordKey, L"10", L"old");
  profile.SetText(kPath, kDefaultFile);
  Load();
  Options options = Changed();
  options.appPasswordProtected = false;
  // The three "Sounds" keys, then "HideDesktop" and "HideTaskBar" go through; "Tray" fails.
  profile.FailWritesAfter(5);
  try {
    settings.SaveSettings(options, password);
    FAIL() << "no error";
  } catch (const SettingsWriteError& error) {
    EXPECT_EQ(error.Message(), L"Unable to write to " + kPath);
  }
  // The keys went into a sibling that is thrown away: no half-written file.
  EXPECT_EQ(profile.Text(kPath), kDefaultFile);
  EXPECT_EQ(profile.Text(kPath + L".tmp"), std::nullopt);
  EXPECT_EQ(profile.Writes().size(), 6u);
  EXPECT_EQ(password, L"old");
  EXPECT_EQ(StoredPassword(), RegistryValue(L"old"));
}

TEST_F(SettingsFileTest, AFileThatCannotBeReplacedKeepsItsOldTextAndStopsTheSave) {
  registry.WriteText(kPasswordKey, L"10", L"old");
  profile.SetText(kPath, kDefaultFile + L"[Mine]\r\nKept=yes\r\n");
  Load();
  profile.FailCommits(true);
  std::wstring typed = L"new";
  EXPECT_THROW(settings.SaveSettings(Changed(), typed), SettingsWriteError);
  EXPECT_EQ(profile.Text(kPath), kDefaultFile + L"[Mine]\r\nKept=yes\r\n");
  EXPECT_EQ(StoredPassword(), RegistryValue(L"old"));

  // Once it can be replaced, the save keeps the keys it does not know.
  profile.FailCommits(false);
  settings.SaveSettings(Changed(), typed);
  EXPECT_NE(profile.Text(kPath)->find(L"[Mine]\r\nKept=yes\r\n"), std::wstring::npos);
  EXPECT_NE(profile.Text(kPath)->find(L"Volume=1234"), std::wstring::npos);
}

TEST_F(SettingsFileTest, AFailureInTheSoundsSectionStopsTheWholeSave) {
  registry.WriteText(kPasswordKey, L"10", L"old");
  Load();
  profile.FailWritesAfter(0);
  std::wstring typed = L"new";
  EXPECT_THROW(settings.SaveSettings(Changed(), typed), SettingsWriteError);
  EXPECT_EQ(profile.Text(kPath), std::nullopt);
  EXPECT_EQ(StoredPassword(), RegistryValue(L"old"));
}

TEST_F(SettingsFileTest, NothingIsSavedBeforeTheSettingsWereLoaded) {
  registry.WriteText(kPasswordKey, L"10", L"old");
  std::wstring empty;
  settings.SaveSettings(Options{}, empty);
  EXPECT_EQ(profile.Text(kPath), std::nullopt);
  EXPECT_EQ(StoredPassword(), RegistryValue(L"old"));
}

}  // namespace
}  // namespace dpx
