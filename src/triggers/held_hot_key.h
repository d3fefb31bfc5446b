#pragma once

#include <cstdint>
#include <optional>

#include "platform/key_state.h"

namespace dpx {

// Tells a new press of a hot key from the repeats of a key still held. Where MOD_NOREPEAT is
// missing or ignored (Windows before 7, Wine), a held hot key sends WM_HOTKEY again at the
// keyboard's repeat rate, and every repeat would turn the desktop over once more. A message is
// a new press unless the key of the press last taken has stayed down since: from that press on,
// the key is polled until it is seen up, and messages posted before that are repeats.
class HeldHotKey {
 public:
  // How often the held key is polled; short enough to take a quick second tap.
  static constexpr unsigned kPollIntervalMs = 15;

  explicit HeldHotKey(KeyState& keys) : keys_(keys) {}

  // For the hot key `id` whose key is `keyCode`, a message posted at `postedTick`, read at
  // `nowTick` (both milliseconds since the system started, wrapping). True: a new press, which
  // is taken, and its key is then polled (Poll) until it is up.
  bool IsNewPress(int id, unsigned keyCode, std::uint32_t postedTick, std::uint32_t nowTick);
  // Looks at the held key; true while it is still down and should be polled again.
  bool Poll(std::uint32_t nowTick);

 private:
  struct Press {
    int id = 0;
    unsigned keyCode = 0;
    std::optional<std::uint32_t> releasedAt;  // when the key was first seen up
  };
  KeyState& keys_;
  std::optional<Press> last_;
};

}  // namespace dpx
