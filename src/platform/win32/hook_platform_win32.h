#pragma once

#include <functional>
#include <string>

#include "platform/hook_library.h"

namespace dpx::win32 {

// Runs the handler of one message as an event of the message loop: an error it raises ends that
// event and is reported, and never crosses the window procedure into the system.
using EventRunner = std::function<void(const std::function<void()>& event)>;

// The hook library "dozov.dll" loaded with LoadLibraryW from a full path, and the receiver window
// as a hidden window of the calling thread, whose messages are dispatched by its message loop.
class Win32HookPlatform final : public HookPlatform {
 public:
  Win32HookPlatform(std::wstring libraryPath, EventRunner runEvent)
      : libraryPath_(std::move(libraryPath)), runEvent_(std::move(runEvent)) {}

  std::uint32_t RegisterMessage(const std::wstring& name) override;
  std::unique_ptr<HookLibrary> LoadHookLibrary() override;
  std::unique_ptr<ReceiverWindow> CreateReceiverWindow(ReceiverHandler handler) override;

 private:
  std::wstring libraryPath_;
  EventRunner runEvent_;
};

// "dozov.dll" in the folder of the running program. The full path keeps the loader from taking a
// library of that name from the current folder or the search path when ours is missing.
std::wstring HookLibraryBesideProgram();

}  // namespace dpx::win32
