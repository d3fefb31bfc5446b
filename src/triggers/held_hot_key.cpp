#include "triggers/held_hot_key.h"

namespace dpx {
namespace {

// Tick counts wrap after about 49.7 days; their difference does not.
bool Before(std::uint32_t tick, std::uint32_t other) {
  return static_cast<std::int32_t>(tick - other) < 0;
}

}  // namespace

bool HeldHotKey::IsNewPress(int id, unsigned keyCode, std::uint32_t postedTick,
                            std::uint32_t nowTick) {
  // Wine dates a key event sent to a window (rather than typed) with a made-up time, the same
  // for every such event; a time after now, or older than any wait, is taken as now.
  if (Before(nowTick, postedTick) || nowTick - postedTick > kLongestWaitMs) postedTick = nowTick;
  Poll(nowTick);
  if (last_ && last_->id == id && last_->keyCode == keyCode) {
    // Still down since the press taken, or posted while it was. A key first seen up only now may
    // have been let go after this message was posted: held then too.
    const bool held = !last_->releasedAt || Before(postedTick, *last_->releasedAt);
    const bool closeBehind = postedTick - last_->lastPosted <= kRepeatGapMs;
    last_->lastPosted = postedTick;
    if (held && closeBehind) return false;
  }
  last_ = Press{id, keyCode, std::nullopt, postedTick};
  return true;
}

bool HeldHotKey::Poll(std::uint32_t nowTick) {
  if (!last_ || last_->releasedAt) return false;
  if (keys_.IsKeyDown(last_->keyCode)) return true;
  last_->releasedAt = nowTick;
  return false;
}

}  // namespace dpx
