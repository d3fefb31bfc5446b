#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/hot_keys.h"
#include "platform/hover_input.h"
#include "platform/key_names.h"

namespace dpx::fakes {

// Hot keys of the simulated desktop. Like the real window manager, a combination can be held
// by one registration only, DPX's or another program's.
class FakeHotKeys final : public HotKeyRegistrar {
 public:
  using Combination = std::pair<unsigned, unsigned>;  // modifiers, key code

  // Combinations other programs hold.
  std::set<Combination> heldElsewhere;
  // "Register <id> <modifiers> <key>" (with " failed" when refused) and "Unregister <id>".
  std::vector<std::string> log;

  bool Register(int id, unsigned modifiers, unsigned keyCode) override;
  void Unregister(int id) override;
  // nullopt when the id has no hot key.
  std::optional<Combination> Registered(int id) const;

 private:
  std::map<int, Combination> registered_;
};

// A US keyboard layout's names for the keys outside DPX's fixed table; codes it does not list
// have no name.
class FakeKeyNames final : public KeyNames {
 public:
  FakeKeyNames();
  std::wstring KeyName(unsigned keyCode) override;

  std::map<unsigned, std::wstring> names;
};

// The pointer, the primary screen, the tick counter and the lock state of the simulated desktop.
class FakeHoverInput final : public HoverInput {
 public:
  std::optional<ScreenPoint> cursor = ScreenPoint{960, 540};
  ScreenSize screen{1920, 1080};
  std::uint32_t tick = 100000;
  bool locked = false;
  int cursorReads = 0;

  void Advance(std::uint32_t milliseconds) { tick += milliseconds; }  // wraps like the real one

  std::optional<ScreenPoint> CursorPosition() override {
    ++cursorReads;
    return cursor;
  }
  ScreenSize PrimaryScreenSize() override { return screen; }
  std::uint32_t TickCount() override { return tick; }
  bool IsDesktopLocked() override { return locked; }
};

}  // namespace dpx::fakes
