#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/options.h"
#include "platform/key_names.h"
#include "platform/text_services.h"
#include "triggers/hot_key_registration.h"
#include "triggers/shortcut.h"

namespace dpx {

// True when a key press in a capture field counts. Refused: Backspace; without Ctrl or Alt the
// keys that type or move (32 to 127, 192, 219 to 221); a modifier key whose own modifier is
// held. On refusal `keyCode` becomes 0, so the field does nothing else with the press.
bool FilterHotKeyKey(std::uint16_t& keyCode, ShiftState shift);

// The main window's side of a failed registration.
class ShortcutsPage {
 public:
  virtual ~ShortcutsPage() = default;

  // Clicks "&Extra Settings" and sets it down, shows the Shortcuts page with its "Shortcuts"
  // button down, and gives the capture field of `id` the focus again.
  virtual void ShowShortcutsPageAndFocus(int id) = 0;
};

// One hot key field on the Shortcuts page: the user presses a combination instead of typing.
// Its text is the hot key text in the options model; the field keeps no other state.
class HotKeyCaptureField {
 public:
  HotKeyCaptureField(int id, std::wstring& text, HotKeyRegistration& registration, KeyNames& names,
                     TextServices& textServices, ShortcutsPage& page)
      : id_(id),
        text_(text),
        registration_(registration),
        names_(names),
        textServices_(textServices),
        page_(page) {}

  int Id() const { return id_; }
  const std::wstring& Text() const { return text_; }

  // Returns true when the press counted and the text became its combination; the window shows
  // Text() then. A refused press sets `keyCode` to 0 and changes nothing. Besides the filter's
  // refusals, a key whose text names another key (a media key that the layout calls "D") or no
  // key is refused: it would register as that other key.
  bool KeyDown(std::uint16_t& keyCode, ShiftState shift);
  // No character ever reaches the field.
  static void Character(wchar_t& character) { character = 0; }
  // Every release, modifiers included, registers the id anew from the text; a failure has shown
  // its message and brings the Shortcuts page forward with this field focused.
  void KeyUp();

 private:
  int id_;
  std::wstring& text_;
  HotKeyRegistration& registration_;
  KeyNames& names_;
  TextServices& textServices_;
  ShortcutsPage& page_;
};

// The three fields, indexed by hot key id, over the texts of the options model.
class HotKeyCaptureFields {
 public:
  HotKeyCaptureFields(Options& options, HotKeyRegistration& registration, KeyNames& names,
                      TextServices& textServices, ShortcutsPage& page);

  // Throws std::out_of_range for an id other than 0, 1 or 2.
  HotKeyCaptureField& Field(int id) { return fields_.at(static_cast<std::size_t>(id)); }

 private:
  std::array<HotKeyCaptureField, 3> fields_;
};

}  // namespace dpx
