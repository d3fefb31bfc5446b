#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/types.h"

namespace dpx {

// The entry points of the system-hook library "dozov.dll"; an empty one is missing from it.
struct HookEntryPoints {
  std::function<void(std::int32_t kind)> startWatching;
  std::function<void(std::int32_t kind)> stopWatching;
  std::function<bool()> stillWatching;
  std::function<void()> stopAll;
  std::function<void(WindowHandle receiver)> setReceiver;
};

// The library while it is loaded; dropping it frees it.
class HookLibrary {
 public:
  virtual ~HookLibrary() = default;

  // Looks each entry point up by name.
  virtual HookEntryPoints LookUpEntryPoints() = 0;
};

// A message that reached the receiver window. The handler answers true when it used it; the
// window passes any other message to the system's default handling.
using ReceiverHandler =
    std::function<bool(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)>;

// A hidden window of the program to which the library posts its notifications; dropping it
// destroys it.
class ReceiverWindow {
 public:
  virtual ~ReceiverWindow() = default;

  virtual WindowHandle Handle() const = 0;
};

// What the new-window watcher needs of the system: registered messages, the library, and the
// window that receives the library's messages.
class HookPlatform {
 public:
  virtual ~HookPlatform() = default;

  // The session-wide number of a registered window message; 0 when it cannot be registered.
  virtual std::uint32_t RegisterMessage(const std::wstring& name) = 0;
  // Loads "dozov.dll"; null when it does not load.
  virtual std::unique_ptr<HookLibrary> LoadHookLibrary() = 0;
  virtual std::unique_ptr<ReceiverWindow> CreateReceiverWindow(ReceiverHandler handler) = 0;
};

}  // namespace dpx
