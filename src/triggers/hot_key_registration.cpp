#include "triggers/hot_key_registration.h"

#include "triggers/hot_key_text.h"

namespace dpx {
namespace {

constexpr std::uint16_t kVkDivide = 111;  // the numeric-pad divide key
constexpr std::uint16_t kVkOem2 = 191;    // the main-keyboard slash key

}  // namespace

bool HotKeyRegistration::AssignHotKey(int id, const std::wstring& text) {
  registrar_.Unregister(id);  // may have none yet
  const SplitShortCutResult split = SplitShortCut(ParseHotKeyText(text, names_, textServices_));
  std::uint16_t keyCode = split.keyCode;
  // "/" names both keys and parses to the numeric-pad one; the user means the main key.
  if (keyCode == kVkDivide) keyCode = kVkOem2;
  if (registrar_.Register(id, ShiftToModifiers(split.shift), keyCode)) return true;
  ui_.ShowMessage(L"Unable to assign shortcut: " + text + L"\n\rThe shortcut is in use!" +
                      L"\n\rPlease try a different key combination.",
                  MessageKind::kPlain, MessageButtons::kOk);
  return false;
}

bool HotKeyRegistration::AssignAllHotKeys(const Options& options) {
  const bool hide = AssignHotKey(kHideHotKey, options.hideKey);
  const bool program = AssignHotKey(kProgramHotKey, options.programKey);
  const bool screenSaver = AssignHotKey(kScreenSaverHotKey, options.screenSaverKey);
  return hide && program && screenSaver;
}

void HotKeyRegistration::UnregisterAllHotKeys() {
  for (int id : {kHideHotKey, kProgramHotKey, kScreenSaverHotKey}) registrar_.Unregister(id);
}

}  // namespace dpx
