// The settings file, the data folder and the stored password through the real profile calls,
// registry and shell. The file's text is compared with what the in-memory profile file of the
// unit tests makes of the same saves, so the unit tests' expectations hold on Windows too.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/data_paths.h"
#include "app/password_hash.h"
#include "app/password_verifier.h"
#include "app/settings_file.h"
#include "fakes/fake_profile_file.h"
#include "fakes/fake_user_registry.h"
#include "platform/win32/password_hashing_win32.h"
#include "platform/win32/profile_file_win32.h"
#include "platform/win32/system_folders_win32.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/user_registry_win32.h"

namespace dpx {
namespace {

Options Changed() {
  Options o;
  o.modifyVolume = false;
  o.volume = 1234;
  o.volumeMuted = true;
  o.hideTray = false;
  o.hideWallpaper = true;
  o.resolution = 12;
  o.switchResolution = true;
  o.hideKey = L"Shift+Alt+H";
  o.programKey = L"Ctrl+\\";
  o.screenSaverKey = L"";
  o.hideCorner = {true, 35, 1500, 3};
  o.screenSaverCorner = {true, 5, -1, 2};
  return o;
}

std::wstring WithoutBlankLines(const std::wstring& text) {
  std::wstring out;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find(L"\r\n", start), text.size());
    if (end > start) out += text.substr(start, end - start) + L"\r\n";
    start = end + 2;
  }
  return out;
}

class SettingsWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(win32::Win32SystemFolders().CreateFolderWithParents(folder_));
  }
  void TearDown() override {
    ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path_.c_str());
    ::RemoveDirectoryW(folder_.c_str());
    ::RemoveDirectoryW((root_ + L"\\Orvalen").c_str());
    ::RemoveDirectoryW(root_.c_str());
  }

  // The file's text; its bytes are in the ANSI code page.
  std::optional<std::wstring> FileText() {
    win32::UniqueFileHandle file(::CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                               nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    std::string bytes(1 << 16, '\0');
    DWORD read = 0;
    ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    std::wstring text(read, L'\0');
    text.resize(::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(read), text.data(),
                                      static_cast<int>(text.size())));
    return text;
  }
  void PutFile(const std::string& text) {
    win32::UniqueFileHandle file(
        ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(
        ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
    fake_.SetText(path_, std::wstring(text.begin(), text.end()));
  }

  // The same load or save on the real file and on the in-memory one.
  Options LoadBoth(Options& fromFake) {
    Options options = Changed();
    fromFake = Changed();
    std::wstring password;
    real_.LoadSettings(options, password, 4);
    fakeSettings_.LoadSettings(fromFake, password, 4);
    return options;
  }
  void SaveBoth(const Options& options) {
    std::wstring password;
    real_.SaveSettings(options, password);
    fakeSettings_.SaveSettings(options, password);
  }

  // A fresh folder in the temporary one, made with its parents as the data folder is.
  static std::wstring NewRoot() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return std::wstring(temp) + L"dpx_settings_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
           std::wstring(test.begin(), test.end());
  }

  const std::wstring root_ = NewRoot();
  const std::wstring folder_ = root_ + L"\\Orvalen\\DPX\\";
  const std::wstring path_ = folder_ + L"dpx.dat";
  win32::Win32ProfileFile profile_;
  fakes::FakeProfileFile fake_;
  // The password has its own test; these keep the registry out of the file tests.
  fakes::FakeUserRegistry registry_;
  win32::Win32PasswordHashing hashing_;
  PasswordStore passwords_{registry_, hashing_};
  SettingsFile real_{profile_, passwords_, path_};
  SettingsFile fakeSettings_{fake_, passwords_, path_};
};

TEST_F(SettingsWin32Test, TheFirstSaveWritesEveryKeyAsTheProfileFileOfTheUnitTestsDoes) {
  Options fromFake;
  const Options loaded = LoadBoth(fromFake);
  Options defaults;
  defaults.resolution = 4;
  EXPECT_EQ(loaded, defaults);
  EXPECT_EQ(fromFake, defaults);

  SaveBoth(defaults);
  const auto text = FileText();
  ASSERT_TRUE(text);
  EXPECT_TRUE(
      text->starts_with(L"[Sounds]\r\nModifyVolume=1\r\nVolume=65535\r\nVolumeMuted=0\r\n"));
  EXPECT_TRUE(
      text->ends_with(L"[MouseShortcut_SSaver]\r\nEnabled=0\r\nZoneSize=20\r\n"
                      L"HoverInterval=500\r\nCorner=1\r\n"));
  // Windows may set sections apart with blank lines; the lines themselves are the same.
  EXPECT_EQ(WithoutBlankLines(*text), fake_.Text(path_));
}

TEST_F(SettingsWin32Test, WhatIsSavedReadsBackAndUnknownKeysStay) {
  PutFile(
      "; the user's note\r\n[General]\r\nFuture=yes\r\n[MouseShortcut_Windows]\r\n"
      "Corner=257\r\n[MouseShortcut_SSaver]\r\nZoneSize=0x1E\r\nCorner=-1\r\n[SpecialWindows]\r\n"
      "Tray=yes\r\n[HOTKEY_App]\r\nKey=\r\n[sounds]\r\nvolume=70000\r\n");
  Options fromFake;
  const Options loaded = LoadBoth(fromFake);
  EXPECT_EQ(loaded, fromFake);
  EXPECT_EQ(loaded.hideCorner.corner, 1);
  EXPECT_EQ(loaded.screenSaverCorner.corner, 255);
  EXPECT_EQ(loaded.screenSaverCorner.zoneSize, 30);
  EXPECT_TRUE(loaded.hideTray);
  EXPECT_EQ(loaded.programKey, L"");
  EXPECT_EQ(loaded.volume, 4464);

  SaveBoth(Changed());
  const auto saved = FileText();
  ASSERT_TRUE(saved);
  EXPECT_EQ(WithoutBlankLines(*saved), fake_.Text(path_));
  EXPECT_NE(saved->find(L"Future=yes"), std::wstring::npos);
  EXPECT_NE(saved->find(L"; the user's note"), std::wstring::npos);

  Options again = LoadBoth(fromFake);
  EXPECT_EQ(again, Changed());
  SaveBoth(again);
  EXPECT_EQ(FileText(), saved);
}

TEST_F(SettingsWin32Test, AFileThatCannotBeWrittenStopsTheSaveWithItsPath) {
  Options fromFake;
  LoadBoth(fromFake);
  SaveBoth(Options{});
  const auto before = FileText();

  // Held open without sharing, as another program can hold it.
  win32::UniqueFileHandle holder(
      ::CreateFileW(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  std::wstring password;
  try {
    real_.SaveSettings(Changed(), password);
    FAIL() << "no error";
  } catch (const SettingsWriteError& error) {
    EXPECT_EQ(error.Message(), L"Unable to write to " + path_);
  }
  holder.Reset();
  EXPECT_EQ(FileText(), before);
}

// Another program holds the staged copy so that it can be renamed but not written: the copy
// cannot be flushed, so it must not take the settings file's place.
TEST_F(SettingsWin32Test, AStagedCopyThatCannotBeFlushedLeavesTheFileAsItWas) {
  PutFile("[Sounds]\r\nVolume=100\r\n");
  const std::wstring staged = path_ + L".tmp";
  ASSERT_TRUE(profile_.StageCopy(path_, staged));
  ASSERT_TRUE(profile_.WriteString(staged, L"Sounds", L"Volume", L"7"));
  win32::UniqueFileHandle holder(::CreateFileW(staged.c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  EXPECT_FALSE(profile_.Commit(staged, path_));
  holder.Reset();
  profile_.Discard(staged);
  EXPECT_EQ(FileText(), L"[Sounds]\r\nVolume=100\r\n");
}

TEST_F(SettingsWin32Test, AReadOnlyFileStopsTheSaveWithItsPath) {
  Options fromFake;
  LoadBoth(fromFake);
  SaveBoth(Options{});
  const auto before = FileText();
  ASSERT_TRUE(::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY));
  win32::UniqueFileHandle writable(
      ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (writable) {
    GTEST_SKIP() << "this file system lets the user write read-only files (Wine run by root)";
  }
  std::wstring password;
  try {
    real_.SaveSettings(Changed(), password);
    FAIL() << "no error";
  } catch (const SettingsWriteError& error) {
    EXPECT_EQ(error.Message(), L"Unable to write to " + path_);
  }
  EXPECT_EQ(FileText(), before);
}

TEST_F(SettingsWin32Test, TheDataFolderIsMadeUnderApplicationData) {
  win32::Win32SystemFolders folders;
  const auto appData = folders.ApplicationDataFolder();
  ASSERT_TRUE(appData);
  const std::wstring orvalen = *appData + L"\\Orvalen";
  const bool existed = ::GetFileAttributesW(orvalen.c_str()) != INVALID_FILE_ATTRIBUTES;

  const DataPaths paths = ComputeDataPaths(folders);
  EXPECT_EQ(paths.dataFolder, *appData + L"\\Orvalen\\DPX\\");
  EXPECT_EQ(paths.settingsFile, *appData + L"\\Orvalen\\DPX\\dpx.dat");
  const DWORD attributes = ::GetFileAttributesW(paths.dataFolder.c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));

  wchar_t program[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  const std::wstring programPath(program, length);
  EXPECT_EQ(paths.programFolder, programPath.substr(0, programPath.find_last_of(L'\\')));

  if (!existed) {
    ::RemoveDirectoryW(paths.dataFolder.c_str());
    ::RemoveDirectoryW(orvalen.c_str());
  }
}

// The password's registry value, put back as it was after the test.
class PasswordWin32Test : public ::testing::Test {
 protected:
  static constexpr const wchar_t* kKey = L"Software\\Windows\\Cryptography";

  void SetUp() override {
    windowsExisted_ = KeyExists(L"Software\\Windows");
    keyExisted_ = KeyExists(kKey);
    DWORD type = 0;
    DWORD size = sizeof(saved_);
    hadValue_ = ::RegGetValueW(HKEY_CURRENT_USER, kKey, L"10", RRF_RT_ANY | RRF_NOEXPAND, &type,
                               saved_, &size) == ERROR_SUCCESS;
    savedType_ = type;
    savedSize_ = size;
  }
  void TearDown() override {
    if (hadValue_) {
      ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"10", savedType_, saved_, savedSize_);
    } else {
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"10");
    }
    if (!keyExisted_) ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    if (!windowsExisted_) ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Windows");
  }

  static bool KeyExists(const wchar_t* path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
  }
  // The value's type and bytes as the registry holds them.
  static std::pair<DWORD, std::vector<BYTE>> Stored() {
    DWORD type = 0;
    std::vector<BYTE> data(4096);
    DWORD size = static_cast<DWORD>(data.size());
    if (::RegGetValueW(HKEY_CURRENT_USER, kKey, L"10", RRF_RT_ANY | RRF_NOEXPAND, &type,
                       data.data(), &size) != ERROR_SUCCESS) {
      return {REG_NONE, {}};
    }
    data.resize(size);
    return {type, data};
  }
  static std::vector<BYTE> Utf16WithNull(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)};
  }

  win32::Win32UserRegistry registry_;
  win32::Win32PasswordHashing hashing_;
  PasswordStore passwords_{registry_, hashing_};
  bool windowsExisted_ = false, keyExisted_ = false, hadValue_ = false;
  BYTE saved_[4096] = {};
  DWORD savedType_ = 0, savedSize_ = 0;
};

TEST_F(PasswordWin32Test, IsAStringValueUnderTheCurrentUserHoldingTheHashOnly) {
  const std::wstring kept = passwords_.Write(L"Pa ss \u00e9");
  EXPECT_EQ(ClassifyStoredPassword(kept), StoredPasswordKind::kHashed);
  EXPECT_EQ(kept.find(L"Pa ss"), std::wstring::npos);
  EXPECT_EQ(Stored(), std::make_pair(DWORD{REG_SZ}, Utf16WithNull(kept)));
  const std::wstring nextRun = passwords_.Read();
  EXPECT_EQ(nextRun, kept);
  EXPECT_TRUE(PasswordVerifier(nextRun, hashing_).Matches(L"Pa ss \u00e9"));
  EXPECT_FALSE(PasswordVerifier(nextRun, hashing_).Matches(L"Pa ss e"));

  passwords_.Write(L"");
  EXPECT_EQ(Stored(), std::make_pair(DWORD{REG_SZ}, Utf16WithNull(L"")));
  EXPECT_EQ(passwords_.Read(), L"");
}

TEST_F(PasswordWin32Test, AValueOfAnotherTypeReadsAsNoPassword) {
  const DWORD number = 1234;
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"10", REG_DWORD, &number, sizeof number),
            ERROR_SUCCESS);
  EXPECT_EQ(passwords_.Read(), L"");

  win32::Win32ProfileFile profile;
  SettingsFile settings(profile, passwords_, L"C:\\no such folder\\dpx.dat");
  Options options;
  options.appPasswordProtected = true;
  std::wstring password = L"left over";
  settings.LoadSettings(options, password, 0);
  EXPECT_EQ(password, L"");
  EXPECT_FALSE(options.appPasswordProtected);
}

}  // namespace
}  // namespace dpx
