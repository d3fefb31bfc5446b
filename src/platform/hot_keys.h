#pragma once

namespace dpx {

// System-wide hot keys registered on DPX's main window, one per id.
class HotKeyRegistrar {
 public:
  virtual ~HotKeyRegistrar() = default;

  // False when the platform refuses, e.g. another program holds the combination.
  virtual bool Register(int id, unsigned modifiers, unsigned keyCode) = 0;
  // Quietly does nothing when the id has no hot key.
  virtual void Unregister(int id) = 0;
};

}  // namespace dpx
