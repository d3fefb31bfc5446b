#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "app/user_interaction.h"

namespace dpx::win32 {

// A window made from a dialog template whose messages go to a C++ object. An error raised while
// handling a message ends that message and goes to the general error report.
class DialogWindow {
 public:
  explicit DialogWindow(UserInteraction& ui) : ui_(ui) {}
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;
  virtual ~DialogWindow();

  HWND Handle() const { return handle_; }
  HWND Item(int id) const { return ::GetDlgItem(handle_, id); }

 protected:
  // Creates the window (modeless) from the template; WM_INITDIALOG reaches OnMessage.
  void Create(int templateId, HWND parent);
  // The dialog procedure's answer for the message, or nullopt to leave it to the default.
  virtual std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  UserInteraction& ui() { return ui_; }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  UserInteraction& ui_;
  HWND handle_ = nullptr;
};

// A page whose messages go to a handler of the window that holds it.
class SubPage final : public DialogWindow {
 public:
  using Handler = std::function<std::optional<INT_PTR>(UINT, WPARAM, LPARAM)>;
  SubPage(UserInteraction& ui, Handler handler) : DialogWindow(ui), handler_(std::move(handler)) {}
  void Create(int templateId, HWND parent) { DialogWindow::Create(templateId, parent); }

 private:
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    return handler_(message, wParam, lParam);
  }
  Handler handler_;
};

// Shows one of the pages that share a place and hides the others.
void ShowOnly(HWND shown, std::initializer_list<HWND> pages);
// Places a page window over the frame control `frameId` of `parent`, a few pixels inside it.
void PlaceOver(HWND page, HWND parent, int frameId);

}  // namespace dpx::win32
