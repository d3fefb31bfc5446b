#pragma once

namespace dpx {

// Whether a key is held down at this moment, wherever the keyboard's input goes.
class KeyState {
 public:
  virtual ~KeyState() = default;
  virtual bool IsKeyDown(unsigned keyCode) = 0;
};

}  // namespace dpx
