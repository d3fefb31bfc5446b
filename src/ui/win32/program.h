#pragma once

#include <string>

#include <memory>

#include "actions/display_mode_action.h"
#include "actions/screen_saver.h"
#include "actions/sound_action.h"
#include "actions/wallpaper_action.h"
#include "app/app_password_commands.h"
#include "app/autostart.h"
#include "app/data_paths.h"
#include "app/main_window_commands.h"
#include "app/options.h"
#include "app/password_store.h"
#include "app/password_verifier.h"
#include "app/program_end.h"
#include "app/program_window_control.h"
#include "app/saved_state.h"
#include "app/settings_file.h"
#include "hide/hide_mode.h"
#include "hide/hide_recovery.h"
#include "hide/hide_toggle.h"
#include "hide/toggle_requests.h"
#include "hide/journal_trail.h"
#include "hide/new_window_watch.h"
#include "hide/window_capture.h"
#include "platform/win32/audio_output_win32.h"
#include "platform/win32/desktop_wallpaper_win32.h"
#include "platform/win32/display_modes_win32.h"
#include "platform/win32/foreground_win32.h"
#include "platform/win32/hook_platform_win32.h"
#include "platform/win32/hot_keys_win32.h"
#include "platform/win32/hover_input_win32.h"
#include "platform/win32/key_names_win32.h"
#include "platform/win32/key_state_win32.h"
#include "platform/win32/password_hashing_win32.h"
#include "platform/win32/process_control_win32.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/profile_file_win32.h"
#include "platform/win32/system_folders_win32.h"
#include "platform/win32/text_services_win32.h"
#include "platform/win32/tray_library_win32.h"
#include "platform/win32/user_registry_win32.h"
#include "platform/win32/window_manager_win32.h"
#include "platform/win32/window_marks_win32.h"
#include "platform/win32/window_search_win32.h"
#include "platform/win32/workstation_win32.h"
#include "triggers/capture_field.h"
#include "triggers/held_hot_key.h"
#include "triggers/hot_corners.h"
#include "triggers/hot_key_registration.h"
#include "triggers/trigger_actions.h"
#include "ui/win32/display_page.h"
#include "ui/win32/hot_key_fields.h"
#include "ui/win32/main_form.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/password_dialogs.h"
#include "ui/win32/program_steps.h"
#include "ui/win32/session_events_window.h"
#include "ui/win32/sound_page.h"

namespace dpx::win32 {

// The whole program, from the creation of its windows to its end: wires the Win32 platform, the
// options and saved state, hide mode and the windows together, and runs the message loop.
class Program final : private TriggerActions, private ShortcutsPage {
 public:
  Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates the windows (their creation handler loads the lists and the settings), runs the
  // password gate, sets the ready flag, runs the message loop and ends the program.
  int Run(bool quiet);
  // "/restore": puts back what a run that ended in hide mode left hidden, and nothing else.
  int RecoverOnly();

 private:
  void OnMainWindowCreated();
  void RefreshVisibleWindowsList();
  void RegisterHotKeys();
  void OnHotKey(int id, unsigned keyCode, bool captureFieldFocused);
  void RunMessageLoop();
  // TriggerActions: what the hot keys fire.
  void ClickHideRestore() override { requests_.Press(); }
  void ToggleProgramWindow(bool askPassword) override;
  void ScreenSaverCommand() override { screenSaver_.ScreenSaverCommand(); }
  // ShortcutsPage: where a hot key that a capture field could not register sends the user.
  void ShowShortcutsPageAndFocus(int id) override;
  bool CornerButtonClicked(CornerTrigger trigger, bool nowDown);
  void End();
  // Before anything else touches the desktop: undoes a hide that an ended run left behind. False
  // when something of it may still be hidden or changed.
  bool RecoverLeftHide();
  // "dpx.exe /restore" started while this instance runs.
  void RestoreForAnotherStart(const std::function<void(RestoreOutcome)>& answer);
  void DescribeSideActions(HideJournal& journal) const;
  void RestoreIfHidden() { requests_.Restore(); }

  // Platform
  Win32WindowManager windows_;
  Win32Processes processes_;
  Win32TextServices text_;
  Win32SystemFolders folders_;
  Win32ProfileFile profile_;
  Win32UserRegistry registry_;
  Win32AudioOutput audio_;
  Win32DisplayModes displayModes_;
  Win32DesktopWallpaper wallpaper_;
  Win32Workstation workstation_;
  Win32KeyNames keyNames_;
  Win32HoverInput hoverInput_;
  // Saved state: the paths are fixed at process start, the password starts empty.
  DataPaths paths_;
  std::wstring appPassword_;
  Options options_;
  Win32PasswordHashing hashing_;
  PasswordStore passwords_{registry_, hashing_};
  PasswordVerifier appPasswordVerifier_{appPassword_, hashing_};
  SettingsFile settingsFile_;
  SettingsFileStore settingsStore_;
  SavedState saved_{paths_, settingsStore_, text_};
  // Side actions
  // Each writes the journal down before it changes the desktop.
  SoundAction sound_{audio_, options_, [this] { trail_.SideActionChanging(); }};
  DisplayModeAction display_{displayModes_, options_, [this] { trail_.SideActionChanging(); }};
  WallpaperAction wallpaperAction_{wallpaper_, registry_, options_,
                                   [this] { trail_.SideActionChanging(); }};
  ScreenSaverAndLock screenSaver_{workstation_, options_};
  // Windows and hide mode
  Win32UserInteraction ui_;
  PasswordPromptWindow prompt_{ui_};
  SetPasswordDialogWindow setPasswordDialog_{ui_};
  MainForm mainForm_;
  ProgramWindowControl programWindow_{mainForm_, prompt_, ui_, appPasswordVerifier_};
  AppPasswordCommands appPasswordCommands_{setPasswordDialog_, hashing_, appPassword_, options_};
  AutoStart autoStart_{registry_, folders_.ProgramFilePath()};
  WindowCapture capture_{windows_, processes_, programWindow_};
  HideMode hideMode_{windows_, capture_, programWindow_, text_, saved_.ExcludeList()};
  // The new-window watcher (the main window's `Watch`); it runs only while its option is on.
  Win32HookPlatform hookPlatform_{
      HookLibraryBesideProgram(),
      [this](const std::function<void()>& event) { RunReportingErrors(ui_, event); }};
  // Its hides run through the toggle's requests, so a pass never runs inside another.
  NewWindowWatch newWindowWatch_{
      hookPlatform_,
      windows_,
      programWindow_,
      ui_,
      hideMode_,
      options_,
      ::GetCurrentProcessId(),
      [this](std::function<void()> hide) { requests_.AfterPass(std::move(hide)); }};
  // Active window, Bring to TOP and the shell surfaces. dpxtray.dll is imported through the
  // tray library, so the program does not start without it.
  Win32WindowSearch windowSearch_;
  Win32Foreground foreground_;
  Win32ProcessControl processControl_;
  Win32TrayLibrary trayLibrary_;
  ActiveWindow activeWindow_{windows_,       foreground_, processControl_, windowSearch_,
                             programWindow_, text_,       options_};
  BringToTopProgram bringToTop_{windows_,       foreground_, processControl_,
                                programWindow_, text_,       saved_.BringToTopList(),
                                hideMode_};
  ShellSurfaces shellSurfaces_{windows_, windowSearch_, processes_, trayLibrary_};
  ProgramHideSteps steps_{
      activeWindow_, bringToTop_, shellSurfaces_, sound_, display_, wallpaperAction_, [this] {
        RefreshVisibleWindowsList();
      }};
  bool ready_ = false;
  HideToggle toggle_{hideMode_, steps_, options_, ready_, &trail_};
  // Every hide and restore request goes through here, so none runs inside a running pass.
  ToggleRequests requests_{toggle_, hideMode_};
  // Crash safety: the journal beside dpx.dat and the marks on the hidden windows.
  Win32WindowMarks marks_;
  HideJournalFile journalFile_{paths_.dataFolder + kHideJournalFileName};
  JournalTrail trail_{journalFile_, marks_,
                      [this](HideJournal& journal) { DescribeSideActions(journal); }};
  ProgramRecoverySteps recoverySteps_{shellSurfaces_, sound_, display_, wallpaperAction_};
  HideRecovery recovery_{windows_, processes_, marks_, journalFile_, recoverySteps_};
  SessionEventsWindow sessionEvents_{
      {.restoreRequested =
           [this](const std::function<void(RestoreOutcome)>& answer) {
             RestoreForAnotherStart(answer);
           },
       .shellRestarted =
           [this] {
             RunReportingErrors(ui_, [this] {
               if (hideMode_.Active()) shellSurfaces_.HideAgainAfterShellRestart();
             });
           },
       .sessionEnding = [this] { RunReportingErrors(ui_, [this] { RestoreIfHidden(); }); }}};
  CapturedWindowList visibleWindows_;
  MainWindowCommands commands_;
  // The hot keys live on the main window, so they exist once it does; so do their fields.
  std::unique_ptr<Win32HotKeys> hotKeyRegistrar_;
  std::unique_ptr<HotKeyRegistration> hotKeys_;
  std::unique_ptr<HotKeyCaptureFields> captureFields_;
  std::unique_ptr<HotKeyFieldWindows> captureFieldWindows_;
  HotCorners hotCorners_{options_, hoverInput_};
  Win32KeyState keyState_;
  HeldHotKey heldHotKey_{keyState_};
  // The Sound and Display sub-pages of "&Extra Settings".
  SoundPage soundPage_{sound_, options_,
                       [this](int id) { return mainForm_.ExtraSettings().Control(id); }};
  DisplayPage displayPage_{display_, displayModes_, options_, ui_,
                           [this](int id) { return mainForm_.ExtraSettings().Control(id); }};
  ProgramEndSteps endSteps_{screenSaver_};
  ProgramEnd end_{hideMode_, steps_, endSteps_, saved_, ready_};
  bool ended_ = false;
};

}  // namespace dpx::win32
