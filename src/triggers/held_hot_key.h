#pragma once

#include <cstdint>
#include <optional>

#include "platform/key_state.h"

namespace dpx {

// Tells a new press of a hot key from the repeats of a key still held. Where MOD_NOREPEAT is
// missing or ignored (Windows before 7, Wine), a held hot key sends WM_HOTKEY again at the
// keyboard's repeat rate, and every repeat would turn the desktop over once more. A message is
// a repeat when the key of the press last taken has stayed down since (from that press on, the
// key is polled until it is seen up; messages posted before that moment count as held) and it
// follows the message before it as closely as repeats follow each other. The second condition
// keeps a key whose release never reached DPX (it went to a window that was hidden meanwhile)
// from locking the hot key: a press after a pause longer than any repeat is new.
class HeldHotKey {
 public:
  // How often the held key is polled; short enough to take a quick second tap.
  static constexpr unsigned kPollIntervalMs = 15;
  // Longer than the longest wait before a key repeats (Windows' keyboard delay goes up to 1 s, an
  // X server's default is 660 ms), and than any gap between repeats.
  static constexpr std::uint32_t kRepeatGapMs = 1100;
  // Longer than any pass keeps a message waiting; a message time further back is not believed.
  static constexpr std::uint32_t kLongestWaitMs = 10000;

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
    std::uint32_t lastPosted = 0;             // the latest message for it, taken or not
  };
  KeyState& keys_;
  std::optional<Press> last_;
};

}  // namespace dpx
