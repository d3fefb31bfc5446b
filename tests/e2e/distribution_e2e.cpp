// DPX as users get it: the installer and the portable zip from dist/, the help file beside
// dpx.exe and the DLLs the program needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "dpx_windows.h"
#include "harness.h"
#include "session_state.h"
#include "windows_programs.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

constexpr char kVersion[] = "5.8";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DPX";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr char kPasswordKey[] = "Software\\Windows\\Cryptography";
constexpr char kPasswordValue[] = "10";
constexpr char kPrivateWindow[] = "Private Notes";
constexpr char kKeyTarget[] = "Key Target";
const std::vector<std::string> kProgramFiles{"dpx.exe", "dpxtray.dll", "dozov.dll", "Help.chm"};

std::string Quote(const std::string& text) {
  return "'" + text + "'";
}

// dist/ of this build: DPX_DIST_DIR, else beside the Windows build folder, else the repository's.
fs::path DistFolder() {
  if (const char* dist = std::getenv("DPX_DIST_DIR")) return dist;
  const fs::path build = fs::path(CurrentSession().windowsBuild).parent_path();
  if (fs::is_directory(build / "dist")) return build / "dist";
  return build.parent_path() / "dist";
}

fs::path UserFolder() {
  return fs::path(AppDataFolder()).parent_path().parent_path();
}
fs::path InstallFolder() {
  return UserFolder() / "AppData/Local/Programs/DPX";
}
fs::path StartMenuShortcut() {
  return fs::path(AppDataFolder()) / "Microsoft/Windows/Start Menu/Programs/DPX.lnk";
}

Program StartWine(const fs::path& exe, const std::vector<std::string>& args = {}) {
  std::vector<std::string> argv{CurrentSession().wine, exe.string()};
  argv.insert(argv.end(), args.begin(), args.end());
  return Program(argv);
}

// Runs an installer or uninstaller to its end; its exit status.
int RunToEnd(const fs::path& exe, const std::vector<std::string>& args) {
  Program program = StartWine(exe, args);
  return program.Wait(60s);
}

// The DLLs a Windows binary imports, in lower case, as objdump lists them.
std::vector<std::string> ImportedDlls(const fs::path& binary) {
  std::istringstream lines(e2e::Run("x86_64-w64-mingw32-objdump -p " + Quote(binary.string())));
  std::vector<std::string> dlls;
  const std::string marker = "DLL Name: ";
  for (std::string line; std::getline(lines, line);) {
    const auto at = line.find(marker);
    if (at == std::string::npos) continue;
    std::string name = line.substr(at + marker.size());
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    dlls.push_back(name);
  }
  return dlls;
}

bool IsWindowsSystemDll(const std::string& dll) {
  static const std::vector<std::string> kSystem{
      "kernel32.dll", "user32.dll",   "gdi32.dll",    "advapi32.dll", "shell32.dll",
      "ole32.dll",    "oleaut32.dll", "comctl32.dll", "comdlg32.dll", "shlwapi.dll",
      "bcrypt.dll",   "winmm.dll",    "uxtheme.dll",  "version.dll",  "psapi.dll",
      "msvcrt.dll",   "hhctrl.ocx",   "dwmapi.dll",   "imm32.dll",    "crypt32.dll"};
  return std::find(kSystem.begin(), kSystem.end(), dll) != kSystem.end() ||
         dll.rfind("api-ms-win-", 0) == 0;
}

TEST(DistributionE2e, ProgramFilesImportOnlyWindowsSystemDllsAndDpxtray) {
  const fs::path build = CurrentSession().windowsBuild;
  for (const std::string binary : {"dpx.exe", "dpxtray.dll", "dozov.dll"}) {
    const std::vector<std::string> dlls = ImportedDlls(build / binary);
    ASSERT_FALSE(dlls.empty()) << binary << ": objdump listed no imports";
    for (const std::string& dll : dlls) {
      const bool allowed = IsWindowsSystemDll(dll) || (binary == "dpx.exe" && dll == "dpxtray.dll");
      EXPECT_TRUE(allowed) << binary << " imports " << dll;
    }
  }
  const std::vector<std::string> dpxDlls = ImportedDlls(build / "dpx.exe");
  EXPECT_NE(std::find(dpxDlls.begin(), dpxDlls.end(), "dpxtray.dll"), dpxDlls.end());
}

// A section every process of the library shares would let any program it is loaded into write
// into the memory of the others, DPX's among them.
TEST(DistributionE2e, ProgramFilesHaveNoSharedSection) {
  const fs::path build = CurrentSession().windowsBuild;
  for (const std::string binary : {"dpx.exe", "dpxtray.dll", "dozov.dll"}) {
    const std::string sections =
        e2e::Run("x86_64-w64-mingw32-objdump -h " + Quote((build / binary).string()));
    ASSERT_NE(sections.find(".text"), std::string::npos) << binary << ": no section table read";
    EXPECT_EQ(sections.find("SHARED"), std::string::npos) << binary << ":\n" << sections;
  }
}

// Windows Vista's loader refuses a program that imports a call its DLLs lack; the PBKDF2 of CNG
// came with Windows 7, so DPX looks it up at run time.
TEST(DistributionE2e, ProgramFilesImportNoCallThatWindowsVistaLacks) {
  const fs::path build = CurrentSession().windowsBuild;
  for (const std::string binary : {"dpx.exe", "dpxtray.dll", "dozov.dll"}) {
    const std::string imports =
        e2e::Run("x86_64-w64-mingw32-objdump -p " + Quote((build / binary).string()));
    ASSERT_NE(imports.find("DLL Name: "), std::string::npos) << binary << ": no import table read";
    EXPECT_EQ(imports.find("BCryptDeriveKeyPBKDF2"), std::string::npos) << binary;
  }
}

TEST(DistributionE2e, HelpFileMapsEveryContextOfTheMainWindowToItsPage) {
  const fs::path work = fs::temp_directory_path() / "dpx-help-aliases";
  fs::remove_all(work);
  fs::create_directories(work);
  // chmls writes "IDH_<n>=<page's name in the file>" lines into <chm name>.ali beside the file it
  // reads.
  fs::copy_file(fs::path(CurrentSession().windowsBuild) / "Help.chm", work / "Help.chm");
  e2e::Run("cd " + Quote(work.string()) + " && chmls extractalias Help.chm map IDH_");
  const std::string aliases = FileText(work / "Help.ali");
  const std::vector<std::pair<int, std::string>> expected{
      {1000, "main_window.html"}, {1001, "windows_page.html"}, {1010, "extra_settings.html"},
      {1011, "general.html"},     {1012, "sound.html"},        {1013, "shortcuts.html"},
      {1014, "display.html"},     {1030, "about.html"}};
  for (const auto& [context, page] : expected) {
    const std::string key = "IDH_" + std::to_string(context) + "=";
    const auto at = aliases.find(key);
    ASSERT_NE(at, std::string::npos) << "no page for context " << context;
    // The page's name inside the file, as the help viewer looks it up.
    EXPECT_EQ(aliases.substr(at, aliases.find('\n', at) - at), key + "/" + page);
  }
  fs::remove_all(work);
}

TEST(DistributionE2e, PortableZipHoldsTheFourProgramFiles) {
  const fs::path zip = DistFolder() / (std::string("dpx-") + kVersion + "-portable.zip");
  ASSERT_TRUE(fs::is_regular_file(zip)) << zip;
  std::istringstream listing(e2e::Run("unzip -Z1 " + Quote(zip.string())));
  std::vector<std::string> names;
  for (std::string name; std::getline(listing, name);) names.push_back(name);
  std::sort(names.begin(), names.end());
  std::vector<std::string> expected = kProgramFiles;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
}

class InstallerE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    installer = DistFolder() / (std::string("dpx-") + kVersion + "-setup.exe");
    ASSERT_TRUE(fs::is_regular_file(installer)) << installer;
    dataFolder = FreshDataFolder();
    WriteDoNotHideList(dataFolder, {kKeyTarget});
    fs::remove_all(InstallFolder());
  }

  void Install() {
    ASSERT_EQ(RunToEnd(installer, {"/S"}), 0);
    for (const std::string& file : kProgramFiles)
      EXPECT_TRUE(fs::is_regular_file(InstallFolder() / file)) << file << " was not installed";
    EXPECT_TRUE(fs::is_regular_file(StartMenuShortcut())) << "no Start menu shortcut";
    EXPECT_NE(UserRegistryValue(kUninstallKey, "DisplayVersion").value_or("").find(kVersion),
              std::string::npos);
    EXPECT_NE(UserRegistryValue(kUninstallKey, "URLInfoAbout"), std::nullopt);
    EXPECT_NE(UserRegistryValue(kUninstallKey, "HelpLink"), std::nullopt);
  }

  // Makes the installed program files differ from this build's, as an older release's would
  // (bytes after the end of a PE file or a help file are not read).
  void MarkInstalledFilesOld() {
    for (const std::string& file : kProgramFiles)
      std::ofstream(InstallFolder() / file, std::ios::binary | std::ios::app) << "older release";
  }
  // The installed files that are this build's own, byte for byte.
  std::vector<std::string> FilesOfThisBuild() {
    std::vector<std::string> same;
    for (const std::string& file : kProgramFiles) {
      const fs::path built = fs::path(CurrentSession().windowsBuild) / file;
      if (FileText(InstallFolder() / file) == FileText(built)) same.push_back(file);
    }
    return same;
  }
  // The installed dpx.exe's processes, however it was started (by a test or by the installer).
  static std::vector<pid_t> InstalledDpxRunning() {
    return ProcessesWhoseProgram([](const std::string& program) {
      return program.find("Programs") != std::string::npos &&
             (program.ends_with("\\dpx.exe") || program.ends_with("/dpx.exe"));
    });
  }
  void TearDown() override {
    for (const pid_t pid : InstalledDpxRunning()) ::kill(pid, SIGKILL);
  }

  // The silent uninstaller runs on from a copy of itself: wait for its work, not for it.
  void Uninstall(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args{"/S"};
    args.insert(args.end(), extra.begin(), extra.end());
    ASSERT_EQ(RunToEnd(InstallFolder() / "uninstall.exe", args), 0);
    // Its entry in the installed programs goes last but for the data.
    EXPECT_TRUE(WaitUntil([] { return !UserRegistryValue(kUninstallKey, "DisplayVersion"); }, 30s))
        << "the uninstaller did not finish";
    EXPECT_FALSE(fs::exists(InstallFolder())) << "the program folder is still there";
  }

  fs::path installer;
  fs::path dataFolder;
};

TEST_F(InstallerE2e, InstalledDpxHidesAndRestoresAndTheUninstallerEndsItAndKeepsTheData) {
  Install();
  Program target =
      StartWindowsProgram("tests/win32/dpx_test_windows.exe", {"--window", kKeyTarget});
  Program notes =
      StartWindowsProgram("tests/win32/dpx_test_windows.exe", {"--window", kPrivateWindow});
  const std::string targetWindow = WaitForWindow(kKeyTarget);
  ASSERT_FALSE(targetWindow.empty());
  ASSERT_FALSE(WaitForWindow(kPrivateWindow).empty());

  Program dpx = StartWine(InstallFolder() / "dpx.exe", {"/q"});
  // Its hot keys exist only once its window does; on a loaded machine that takes seconds.
  ASSERT_TRUE(WaitForDpxWindow());
  const auto press = [&](const std::function<bool()>& done) {
    return PressAndWait("ctrl+grave", targetWindow, done);
  };
  const auto notesShown = [] { return XWindowShown(kPrivateWindow); };
  ASSERT_TRUE(press([&] { return !notesShown(); })) << "the installed DPX did not hide";
  ASSERT_TRUE(press(notesShown)) << "the installed DPX did not restore";
  ASSERT_TRUE(press([&] { return !notesShown(); }));

  // Autostart on, the desktop hidden: the uninstaller ends DPX, which brings the windows back.
  SetUserRegistryValue(kRunKey, "DPX", "\"" + (InstallFolder() / "dpx.exe").string() + "\" /q");
  Uninstall();
  EXPECT_NE(dpx.Wait(15s), -1) << "DPX did not end";
  EXPECT_TRUE(WaitUntil(notesShown, 5s)) << "the hidden window was not restored";
  EXPECT_FALSE(fs::exists(StartMenuShortcut()));
  EXPECT_EQ(UserRegistryValue(kRunKey, "DPX"), std::nullopt);
  // Removing the data would be the uninstaller's last step, done within a moment (see below).
  std::this_thread::sleep_for(3s);
  EXPECT_TRUE(fs::is_regular_file(dataFolder / "dpx.dat")) << "the settings were not kept";
  EXPECT_TRUE(fs::is_regular_file(dataFolder / "ExList.Dat"));
}

TEST_F(InstallerE2e, UninstallerRemovesTheDataFolderAndThePasswordOnlyWhenAsked) {
  SetUserRegistryValue(kPasswordKey, kPasswordValue, "stored hash");
  SetUserRegistryValue(kPasswordKey, "Other program's value", "kept");
  Install();
  Uninstall();
  std::this_thread::sleep_for(3s);
  EXPECT_EQ(UserRegistryValue(kPasswordKey, kPasswordValue), "stored hash");

  Install();
  Uninstall({"/REMOVEDATA"});
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(dataFolder); }, 10s));
  EXPECT_TRUE(WaitUntil([] { return !UserRegistryValue(kPasswordKey, kPasswordValue); }, 10s))
      << "the stored password was left behind";
  EXPECT_EQ(UserRegistryValue(kPasswordKey, "Other program's value"), "kept");
}

// An upgrade as users get it: DPX runs from autostart with the desktop hidden, and another
// program still has the old hook library loaded.
TEST_F(InstallerE2e, ASilentUpgradeOverARunningHiddenDpxReplacesEveryFileAndStartsItAgain) {
  WriteSettings(dataFolder, {"[HOTKEY_Windows]", "Key=Ctrl+F9"});
  Install();
  MarkInstalledFilesOld();
  Program holder = StartWindowsProgram(
      "tests/win32/dpx_test_windows.exe",
      {"--load-library", (InstallFolder() / "dozov.dll").string(), "--window", kKeyTarget});
  Program notes =
      StartWindowsProgram("tests/win32/dpx_test_windows.exe", {"--window", kPrivateWindow});
  const std::string targetWindow = WaitForWindow(kKeyTarget);
  ASSERT_FALSE(targetWindow.empty());
  ASSERT_FALSE(WaitForWindow(kPrivateWindow).empty());
  const auto notesShown = [] { return XWindowShown(kPrivateWindow); };
  {
    Program oldDpx = StartWine(InstallFolder() / "dpx.exe", {"/q"});
    ASSERT_TRUE(WaitForDpxWindow());
    ASSERT_TRUE(PressAndWait("ctrl+F9", targetWindow, [&] { return !notesShown(); }))
        << "the user's hide key did not hide";

    ASSERT_EQ(RunToEnd(installer, {"/S"}), 0);
    EXPECT_NE(oldDpx.Wait(15s), -1) << "the running DPX was not ended";
    EXPECT_TRUE(WaitUntil(notesShown, 5s)) << "the hidden desktop did not come back";
    EXPECT_EQ(SettingsValue(FileText(dataFolder / "dpx.dat"), "HOTKEY_Windows", "Key"), "Ctrl+F9");
  }
  EXPECT_EQ(FilesOfThisBuild(), kProgramFiles) << "a file of the older release is still there";
  // The library the other program holds was moved aside and goes at the next logon.
  EXPECT_NE(UserRegistryValue(kRunOnceKey, "DPX cleanup dozov.dll")
                .value_or("")
                .find("dozov.dll.dpx-old"),
            std::string::npos);

  // DPX runs again, quietly, with the user's settings: the user's key hides and restores.
  ASSERT_TRUE(WaitUntil([] { return !InstalledDpxRunning().empty(); }, 10s))
      << "DPX was not started again";
  EXPECT_TRUE(ShownMainWindow().empty()) << "started with its window shown";
  ASSERT_TRUE(WaitForDpxWindow());
  EXPECT_TRUE(PressAndWait("ctrl+F9", targetWindow, [&] { return !notesShown(); }));
  EXPECT_TRUE(PressAndWait("ctrl+F9", targetWindow, notesShown));
}

TEST_F(InstallerE2e, AnInstallThatCannotReplaceAFileFailsAndKeepsTheOlderRelease) {
  Install();
  MarkInstalledFilesOld();
  // Held without sharing, as a scanner may: it can be neither written, nor deleted, nor moved.
  Program holder = StartWindowsProgram(
      "tests/win32/dpx_test_windows.exe",
      {"--hold-file", (InstallFolder() / "dpxtray.dll").string(), "--window", kKeyTarget});
  ASSERT_FALSE(WaitForWindow(kKeyTarget).empty());

  EXPECT_NE(RunToEnd(installer, {"/S"}), 0) << "the failed install reported success";
  EXPECT_EQ(FilesOfThisBuild(), std::vector<std::string>{}) << "a mixed install was left";
  for (const std::string& file : kProgramFiles)
    EXPECT_FALSE(fs::exists(InstallFolder() / (file + ".dpx-old"))) << file << " left aside";
}

// F1 in a field of the Shortcuts page opens the help file at that page's context.
TEST(HelpE2e, F1OnTheShortcutsPageOpensTheHelpAtTheShortcutsPage) {
  FreshDataFolder();
  const std::string sessionDebug = std::getenv("WINEDEBUG") ? std::getenv("WINEDEBUG") : "";
  ::setenv("WINEDEBUG", "+htmlhelp", 1);
  Program dpx = StartWindowsProgram("dpx.exe");
  ::setenv("WINEDEBUG", sessionDebug.c_str(), 1);
  std::string main;
  ASSERT_TRUE(WaitUntil([&] { return !(main = ShownMainWindow()).empty(); }));

  // "&Extra Settings", its "Shortcuts" strip button, then the hide hot key field (window pixels
  // at the default DPI).
  ASSERT_TRUE(OpenExtraSettingsPage(main, {20, 141}));
  Click(main, {291, 143});
  ASSERT_TRUE(PressUntil(main, "F1", [] { return XWindowShown("DPX Help"); }))
      << "F1 opened no help window";
  std::this_thread::sleep_for(1s);
  const char* shots = std::getenv("DPX_E2E_SCREENSHOTS");
  const fs::path folder = shots ? fs::path(shots) : fs::temp_directory_path() / "dpx-e2e-shots";
  fs::create_directories(folder);
  Screenshot((folder / "help-from-shortcuts-page.png").string());
  // DPX asked for context 1013 (0x3f5) and the viewer found the Shortcuts page under it.
  const auto traced = [&](const std::string& text) {
    return WaitUntil([&] { return dpx.Output().find(text) != std::string::npos; }, 5s);
  };
  EXPECT_TRUE(traced("command=HH_HELP_CONTEXT, data=3f5)")) << dpx.Output().substr(0, 2000);
  EXPECT_TRUE(traced("=> \"/shortcuts.html\"")) << dpx.Output().substr(0, 2000);
}

}  // namespace
}  // namespace dpx::e2e
