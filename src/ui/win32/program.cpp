#include "ui/win32/program.h"

#include "app/caption_order.h"
#include "app/password_check.h"
#include "ui/win32/resource.h"

namespace dpx::win32 {
namespace {

// The selected display mode defaults to the mode in force; until the display-mode work is
// wired in, that is the platform's "current settings" number.
constexpr int kCurrentSettingsMode = -1;  // ENUM_CURRENT_SETTINGS

}  // namespace

Program::Program()
    : paths_(ComputeDataPaths(folders_)),
      settingsFile_(profile_, passwords_, paths_.settingsFile),
      settingsStore_(settingsFile_, options_, appPassword_, [] { return kCurrentSettingsMode; }),
      mainForm_(ui_, text_, options_, paths_.helpFile,
                {.created = [this] { OnMainWindowCreated(); },
                 .refreshList = [this] { RefreshVisibleWindowsList(); },
                 .hideAll = [this] { toggle_.Toggle(); },
                 .hideButton = [this] { commands_.Hide(); },
                 .terminateButton = [this] { commands_.Terminate(); },
                 .closeQuery = [this] { end_.CloseQuery(); },
                 .sessionEnding = [this] { End(); },
                 .hotKey = [this](int id) { OnHotKey(id); }}),
      steps_([this] { RefreshVisibleWindowsList(); }),
      commands_(ui_, saved_, programWindow_, options_,
                [this] { ::SendMessageW(mainForm_.Handle(), WM_CLOSE, 0, 0); }) {}

// The creation handler's steps that read the desktop and the saved state, in their order. An
// error skips the steps after it; start-up goes on.
void Program::OnMainWindowCreated() {
  ui_.SetOwner(mainForm_.Handle());
  endSteps_.SetMainWindow(mainForm_.Handle());
  RefreshVisibleWindowsList();
  // Autostart's check box is set from the registry once the autostart work is wired in.
  saved_.LoadExcludeList();
  mainForm_.Windows().ShowExcludeList(saved_.ExcludeList());
  saved_.LoadBringToTopList();
  mainForm_.Windows().ShowBringToTopList(saved_.BringToTopList());
  saved_.LoadSettings();
  mainForm_.Windows().ShowOptions();
  mainForm_.ExtraSettings().ShowOptions();
  // The display-mode menu and its two fields are filled once the display-mode work is wired in.
  mainForm_.SelectPage(IDC_BTN_WINDOWS);
  // The workstation lock is looked up once the screen-saver work is wired in.
}

void Program::RefreshVisibleWindowsList() {
  capture_.CaptureTopLevelWindows(visibleWindows_);
  SortByCaption(visibleWindows_, text_);
  mainForm_.Windows().ShowVisibleWindows(visibleWindows_);
}

void Program::OnHotKey(int id) {
  switch (id) {
    case 0:
      toggle_.Toggle();  // the "Hide/Restore" button's click path
      return;
    case 1:
      programWindow_.ToggleProgramWindow(/*askPassword=*/true);
      return;
    case 2:
      // The screen-saver command comes with the screen-saver work.
      return;
  }
}

int Program::Run(bool quiet) {
  mainForm_.Create();
  bool terminating = false;
  if (!appPassword_.empty()) {
    terminating = !AskForPassword(prompt_, ui_, appPassword_, PromptField::kKeptBetweenTries);
    if (terminating) ::PostQuitMessage(0);
  }
  // The hot keys are registered here once the hot key work is wired in; a failure then opens
  // the window on "&Extra Settings", Shortcuts, even after a quiet start.
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
  // At logoff the end runs from the session's end; the loop's end must not run it again.
  if (ended_) return;
  ended_ = true;
  RunReportingErrors(ui_, [this] { end_.Destroy(); });
}

}  // namespace dpx::win32
