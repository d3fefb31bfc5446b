#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/options.h"
#include "app/program_window_control.h"
#include "platform/text_services.h"
#include "ui/win32/application_window.h"
#include "ui/win32/dialog_window.h"
#include "ui/win32/hotkeys_layout_window.h"
#include "ui/win32/options_page.h"
#include "ui/win32/tooltips.h"
#include "ui/win32/windows_page.h"

namespace dpx::win32 {

// What the main window's events run; the program wires them to its logic.
struct MainWindowHandlers {
  std::function<void()> created;  // the creation handler's loading steps
  std::function<void()> refreshList;
  std::function<void()> hideAll;  // the invisible "Hide/Restore" button
  std::function<void()> hideButton;
  std::function<void()> terminateButton;
  std::function<void()> closeQuery;  // throws when the close must not happen
  std::function<void()> sessionEnding;
  // WM_HOTKEY, with the hot key's key code from the message.
  std::function<void(int id, unsigned keyCode, bool captureFieldFocused)> hotKey;
  // While a hot key taken as a press may still be held down (kHeldKeyTimerId).
  std::function<void()> heldKeyTimer;
  // MouseTimer: the hot corners' poll, from the window's creation to its end.
  std::function<void()> mouseTimer;
  // SheetOptionsShow: the extra settings page has been shown.
  std::function<void()> extraSettingsShown;
  // The extra settings' own buttons; the hot keys layout window is the main window's.
  OptionsPage::Actions extraSettings;
};

// The id of the MouseTimer on the main window.
inline constexpr UINT_PTR kMouseTimerId = 1;
// The id of the timer that polls a held hot key until it is let go.
inline constexpr UINT_PTR kHeldKeyTimerId = 2;

// The settings window (TMainForm): header, three pages switched by a button group, the buttons
// bar, and the application window that carries its taskbar button.
class MainForm final : public DialogWindow, public MainWindowSurface {
 public:
  MainForm(UserInteraction& ui, TextServices& text, Options& options, std::wstring helpFile,
           MainWindowHandlers handlers);

  // Creates the application window, then the main window, hidden; the creation handler runs.
  void Create();

  WindowsPage& Windows() { return windowsPage_; }
  OptionsPage& ExtraSettings() { return optionsPage_; }
  // A page button's click path, with that button shown pressed.
  void SelectPage(int buttonId);
  // Help, and the keyboard navigation of DPX's windows; true when the message was used.
  bool PreTranslateMessage(MSG& message);

  // MainWindowSurface
  WindowHandle MainWindow() const override;
  WindowHandle ApplicationWindow() const override;
  bool IsShown() const override;
  void Show() override;
  void Hide() override;

 private:
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<INT_PTR> OnAboutMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();
  void OnCommand(int id);
  void OnPageButton(int id);
  void ShowHelpFor(HWND control);
  bool OwnsWindow(HWND window) const;

  std::wstring helpFile_;
  MainWindowHandlers handlers_;
  win32::ApplicationWindow application_;
  std::unique_ptr<Tooltips> tips_;
  WindowsPage windowsPage_;
  OptionsPage optionsPage_;
  SubPage aboutPage_;
  HotkeysLayoutWindow hotkeysLayout_;
};

}  // namespace dpx::win32
