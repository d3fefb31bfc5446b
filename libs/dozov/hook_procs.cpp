#include "hook_procs.h"

#include "receiver.h"

namespace dozov {
namespace {

bool IsButtonMessage(WPARAM message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
      return true;
    default:
      return false;
  }
}

bool IsCloseCommand(UINT message, WPARAM command) {
  // The low four bits of a system command are the system's own.
  return message == WM_SYSCOMMAND && (command & 0xFFF0) == SC_CLOSE;
}

}  // namespace

LPARAM KeystrokeFlags(DWORD scanCode, DWORD lowLevelFlags) {
  DWORD flags = 1 | ((scanCode & 0xFF) << 16);
  if (lowLevelFlags & LLKHF_EXTENDED) flags |= 1u << 24;
  if (lowLevelFlags & LLKHF_ALTDOWN) flags |= 1u << 29;
  if (lowLevelFlags & LLKHF_UP) flags |= (1u << 30) | (1u << 31);
  return static_cast<LPARAM>(static_cast<LONG>(flags));
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  // HC_NOREMOVE is a peek at a key that will come again.
  if (code == HC_ACTION) PostToReceiver(L"MY_KEY_EVENT", wParam, lParam);
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseLowLevelProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && IsButtonMessage(wParam)) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    PostToReceiver(L"MY_MOUSE_EVENT", wParam, MAKELPARAM(event->pt.x, event->pt.y));
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardLowLevelProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    PostToReceiver(L"MY_KEY_EVENT_LL", event->vkCode,
                   KeystrokeFlags(event->scanCode, event->flags));
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (IsCloseCommand(sent->message, sent->wParam))
      PostToReceiver(L"MY_SYSCOMMAND_EVENT", reinterpret_cast<WPARAM>(sent->hwnd), 0);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) {
  // PM_NOREMOVE is a peek at a message that will come again.
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const auto* posted = reinterpret_cast<const MSG*>(lParam);
    if (IsCloseCommand(posted->message, posted->wParam))
      PostToReceiver(L"MY_SYSCOMMAND_EVENT", reinterpret_cast<WPARAM>(posted->hwnd), 0);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace dozov
