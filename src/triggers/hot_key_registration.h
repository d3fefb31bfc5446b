#pragma once

#include <string>

#include "app/options.h"
#include "app/user_interaction.h"
#include "platform/hot_keys.h"
#include "platform/key_names.h"
#include "platform/text_services.h"

namespace dpx {

// The ids of the three hot keys on the main window.
enum HotKeyId : int {
  kHideHotKey = 0,        // hide/restore the desktop
  kProgramHotKey = 1,     // show/hide DPX's own window
  kScreenSaverHotKey = 2  // start the screen saver
};

// Registers the three hot keys from their texts and tells the user about each one that fails.
class HotKeyRegistration {
 public:
  HotKeyRegistration(HotKeyRegistrar& registrar, KeyNames& names, TextServices& textServices,
                     UserInteraction& ui)
      : registrar_(registrar), names_(names), textServices_(textServices), ui_(ui) {}

  // Drops the id's hot key, then registers it from `text`. After a failure the id has no hot
  // key until a later call succeeds. A text that does not parse still registers, as key 0.
  bool AssignHotKey(int id, const std::wstring& text);
  // All three ids, in order, each attempted whatever the others did; true when all succeeded.
  bool AssignAllHotKeys(const Options& options);
  // At the main window's end: ids 0, 1 and 2.
  void UnregisterAllHotKeys();

 private:
  HotKeyRegistrar& registrar_;
  KeyNames& names_;
  TextServices& textServices_;
  UserInteraction& ui_;
};

}  // namespace dpx
