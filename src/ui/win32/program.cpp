#include "ui/win32/program.h"

#include "app/caption_order.h"
#include "app/password_check.h"
#include "triggers/hot_key_dispatch.h"
#include "ui/win32/mouse_shortcut_dialog.h"
#include "ui/win32/resource.h"

namespace dpx::win32 {
Program::Program()
    : paths_(ComputeDataPaths(folders_)),
      settingsFile_(profile_, passwords_, paths_.settingsFile),
      settingsStore_(settingsFile_, options_, appPassword_,
                     [this] { return display_.CurrentModeIndex(); }),
      mainForm_(
          ui_, text_, options_, paths_.helpFile,
          {.created = [this] { OnMainWindowCreated(); },
           .refreshList = [this] { RefreshVisibleWindowsList(); },
           .hideAll = [this] { requests_.Press(); },
           .hideButton = [this] { commands_.Hide(); },
           .terminateButton = [this] { commands_.Terminate(); },
           .closeQuery = [this] { end_.CloseQuery(); },
           .sessionEnding = [this] { End(); },
           .hotKey = [this](
                         int id, unsigned keyCode,
                         bool captureFieldFocused) { OnHotKey(id, keyCode, captureFieldFocused); },
           .heldKeyTimer =
               [this] {
                 if (!heldHotKey_.Poll(::GetTickCount()))
                   ::KillTimer(mainForm_.Handle(), kHeldKeyTimerId);
               },
           .mouseTimer = [this] { hotCorners_.MouseTimer(ready_, hideMode_.Active(), *this); },
           .extraSettingsShown = [this] { soundPage_.RefreshCurrentVolume(); },
           .extraSettings = {.showHotkeysLayout = nullptr,  // the main window's own
                             .cornerButton =
                                 [this](CornerTrigger trigger, bool nowDown) {
                                   return CornerButtonClicked(trigger, nowDown);
                                 },
                             .refreshCurrentVolume = [this] { soundPage_.RefreshCurrentVolume(); },
                             .testSound = [this] { soundPage_.TestDesiredVolume(); },
                             .showCurrentMode = [this] { displayPage_.ShowCurrentModeText(); },
                             .listResolutions = [this] { displayPage_.DropResolutionMenu(); },
                             .testResolution = [this] { displayPage_.TestSelectedMode(); },
                             .autoStartClicked = [this](bool on) { autoStart_.SetAutoStart(on); },
                             .appPasswordClicked =
                                 [this](bool wasChecked) {
                                   appPasswordCommands_.CheckBoxClicked(wasChecked);
                                 },
                             .setPassword = [this] { appPasswordCommands_.SetPassword(); },
                             .checkedOptionChanged = [this] { newWindowWatch_.FollowOption(); }}}),
      commands_(ui_, saved_, programWindow_, options_,
                [this] { ::SendMessageW(mainForm_.Handle(), WM_CLOSE, 0, 0); }) {
  hideMode_.SetTrail(&trail_);
}

bool Program::RecoverLeftHide() {
  // No dialog can be shown yet; a failing side action must not stop the start.
  try {
    return recovery_.Recover().Complete();
  } catch (const std::exception&) {
    return false;
  }
}

int Program::RecoverOnly() {
  return RecoverLeftHide() ? 0 : kRecoveryFailedExitCode;
}

// Answers before the failure is reported: the asker must not wait out its bound behind the
// message box. A request kept behind a running pass is not done yet; the asker asks again.
void Program::RestoreForAnotherStart(const std::function<void(RestoreOutcome)>& answer) {
  std::exception_ptr error;
  try {
    RestoreIfHidden();
  } catch (...) {
    error = std::current_exception();
  }
  if (error)
    answer(RestoreOutcome::kFailed);
  else if (requests_.PassRunning())
    answer(RestoreOutcome::kAfterPass);
  else
    answer(hideMode_.Active() ? RestoreOutcome::kFailed : RestoreOutcome::kRestored);
  if (error) RunReportingErrors(ui_, [&] { std::rethrow_exception(error); });
}

void Program::DescribeSideActions(HideJournal& journal) const {
  journal.savedVolume = sound_.VolumeToPutBack();
  journal.displaySettings = display_.SettingsToPutBack();
  journal.wallpaperPath = wallpaperAction_.PathToPutBack();
}

// The creation handler's steps that read the desktop and the saved state, in their order. Each
// runs on its own: one that fails is reported and the others still run, so a list file held by
// another program can neither skip the settings and the stored password (the start would then
// open without asking for it) nor be written over (its save is skipped when its load failed).
void Program::OnMainWindowCreated() {
  ui_.SetOwner(mainForm_.Handle());
  const auto step = [this](auto&& handler) { RunReportingErrors(ui_, handler); };
  step([this] { RefreshVisibleWindowsList(); });
  step([this] {
    autoStart_.ShowAtStart([this](bool on) { mainForm_.ExtraSettings().ShowAutoStart(on); });
  });
  mainForm_.Windows().ConnectEditing(saved_);
  step([this] {
    saved_.LoadExcludeList();
    mainForm_.Windows().ShowExcludeList(saved_.ExcludeList());
  });
  step([this] {
    saved_.LoadBringToTopList();
    mainForm_.Windows().ShowBringToTopList(saved_.BringToTopList());
  });
  step([this] {
    saved_.LoadSettings();
    hotCorners_.ResetHover();
    mainForm_.Windows().ShowOptions();
    mainForm_.ExtraSettings().ShowOptions();
  });
  step([this] { newWindowWatch_.FollowOption(); });
  step([this] { displayPage_.Create(mainForm_.Handle()); });
  mainForm_.SelectPage(IDC_BTN_WINDOWS);
  step([this] { screenSaver_.LoadLockWorkStation(); });
}

void Program::RefreshVisibleWindowsList() {
  capture_.CaptureTopLevelWindows(visibleWindows_);
  SortByCaption(visibleWindows_, text_);
  mainForm_.Windows().ShowVisibleWindows(visibleWindows_);
}

// A hot key held down repeats where the system ignores MOD_NOREPEAT: only a new press counts.
void Program::OnHotKey(int id, unsigned keyCode, bool captureFieldFocused) {
  if (!heldHotKey_.IsNewPress(id, keyCode, static_cast<std::uint32_t>(::GetMessageTime()),
                              ::GetTickCount()))
    return;
  ::SetTimer(mainForm_.Handle(), kHeldKeyTimerId, HeldHotKey::kPollIntervalMs, nullptr);
  HandleHotKey(static_cast<std::uintptr_t>(id), captureFieldFocused, *this);
}

void Program::ToggleProgramWindow(bool askPassword) {
  programWindow_.ToggleProgramWindow(askPassword);
}

// A hot key that cannot be registered opens the window on the Shortcuts sub-page, even after a
// quiet start, so the user can choose another.
void Program::RegisterHotKeys() {
  hotKeyRegistrar_ = std::make_unique<Win32HotKeys>(mainForm_.Handle());
  hotKeys_ = std::make_unique<HotKeyRegistration>(*hotKeyRegistrar_, keyNames_, text_, ui_);
  endSteps_.SetHotKeys(hotKeys_.get());
  captureFields_ = std::make_unique<HotKeyCaptureFields>(options_, *hotKeys_, keyNames_, text_,
                                                         static_cast<ShortcutsPage&>(*this));
  captureFieldWindows_ = std::make_unique<HotKeyFieldWindows>(*captureFields_, ui_);
  OptionsPage& page = mainForm_.ExtraSettings();
  captureFieldWindows_->Attach({page.CaptureField(kHideHotKey), page.CaptureField(kProgramHotKey),
                                page.CaptureField(kScreenSaverHotKey)});
  if (hotKeys_->AssignAllHotKeys(options_)) return;
  mainForm_.Show();
  mainForm_.SelectPage(IDC_BTN_OPTIONS);
  mainForm_.ExtraSettings().SelectSubPage(IDC_BTN_SHORTCUTS);
}

void Program::ShowShortcutsPageAndFocus(int id) {
  mainForm_.SelectPage(IDC_BTN_OPTIONS);
  mainForm_.ExtraSettings().SelectSubPage(IDC_BTN_SHORTCUTS);
  ::SetFocus(mainForm_.ExtraSettings().CaptureField(id));
}

// The dialog is modal over the main window; "Cancel" leaves the corner off.
bool Program::CornerButtonClicked(CornerTrigger trigger, bool nowDown) {
  MouseShortcutDialogWindow dialog(mainForm_.Handle());
  return hotCorners_.CornerButtonClicked(trigger, nowDown, dialog);
}

int Program::Run(bool quiet) {
  RecoverLeftHide();
  mainForm_.Create();
  sessionEvents_.Create();
  setPasswordDialog_.Create(mainForm_.Handle());
  prompt_.Create();
  bool terminating = false;
  if (appPasswordVerifier_.IsSet()) {
    // A check that fails (the hashing library) counts as Cancel: the program stays locked.
    bool unlocked = false;
    RunReportingErrors(ui_, [this, &unlocked] {
      unlocked = AskForPassword(prompt_, ui_, appPasswordVerifier_, PromptField::kKeptBetweenTries);
    });
    terminating = !unlocked;
    // Cancel ends the run after the usual start: the loop sees the quit at once.
    if (terminating) ::PostQuitMessage(0);
  }
  RegisterHotKeys();
  ready_ = true;
  if (!quiet && !terminating) mainForm_.Show();
  RunMessageLoop();
  End();
  return 0;
}

void Program::RunMessageLoop() {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (mainForm_.PreTranslateMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void Program::End() {
  // The session's end can arrive while a pass waits on another program: the end, which restores,
  // then runs right after that pass instead of inside it.
  RunReportingErrors(ui_, [this] {
    requests_.AfterPass([this] {
      // At logoff the end runs from the session's end; the loop's end must not run it again.
      if (ended_) return;
      ended_ = true;
      requests_.Close();
      end_.Destroy();
    });
  });
}

}  // namespace dpx::win32
