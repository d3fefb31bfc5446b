#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/hook_library.h"

namespace dpx::fakes {

// Which entry points the simulated "dozov.dll" exports.
struct HookExports {
  bool startWatching = true;
  bool stopWatching = true;
  bool stillWatching = true;
  bool stopAll = true;
  bool setReceiver = true;
};

// The hook library and the receiver window in memory. The library keeps the set of kinds it
// delivers, as the real one does, and every call made to it is logged ("Start 0", "Stop 0",
// "Still", "StopAll", "SetReceiver 7"); Deliver stands for a message the library posts.
class FakeHookPlatform final : public HookPlatform {
 public:
  bool libraryPresent = true;
  HookExports exports;

  std::vector<std::wstring> registeredNames;
  std::vector<std::wstring> calls;
  std::set<std::int32_t> watchedKinds;
  int loadAttempts = 0;
  int loads = 0;
  int libraryFrees = 0;
  int receiversCreated = 0;
  int receiversDestroyed = 0;

  bool LibraryLoaded() const { return loads > libraryFrees; }
  bool ReceiverExists() const { return receiversCreated > receiversDestroyed; }
  WindowHandle ReceiverHandle() const { return receiverHandle_; }
  // The number registered for one of the names; each name gets its own.
  std::uint32_t MessageNumber(const std::wstring& name) const;
  // Hands a message to the receiver window, as the window's procedure would; false when the
  // watcher did not use it (or there is no receiver).
  bool Deliver(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);

  std::uint32_t RegisterMessage(const std::wstring& name) override;
  std::unique_ptr<HookLibrary> LoadHookLibrary() override;
  std::unique_ptr<ReceiverWindow> CreateReceiverWindow(ReceiverHandler handler) override;

 private:
  friend class FakeHookLibrary;
  friend class FakeReceiverWindow;

  ReceiverHandler handler_;
  WindowHandle receiverHandle_ = kNoWindow;
  WindowHandle nextReceiverHandle_ = 0x7000;
};

}  // namespace dpx::fakes
