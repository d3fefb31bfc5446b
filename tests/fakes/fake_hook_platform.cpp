#include "fakes/fake_hook_platform.h"

#include <algorithm>

namespace dpx::fakes {

class FakeHookLibrary final : public HookLibrary {
 public:
  explicit FakeHookLibrary(FakeHookPlatform& platform) : platform_(platform) {}
  ~FakeHookLibrary() override { ++platform_.libraryFrees; }

  HookEntryPoints LookUpEntryPoints() override {
    FakeHookPlatform& p = platform_;
    HookEntryPoints entries;
    if (p.exports.startWatching)
      entries.startWatching = [&p](std::int32_t kind) {
        p.calls.push_back(L"Start " + std::to_wstring(kind));
        p.watchedKinds.insert(kind);
      };
    if (p.exports.stopWatching)
      entries.stopWatching = [&p](std::int32_t kind) {
        p.calls.push_back(L"Stop " + std::to_wstring(kind));
        p.watchedKinds.erase(kind);
      };
    if (p.exports.stillWatching)
      entries.stillWatching = [&p] {
        p.calls.push_back(L"Still");
        return !p.watchedKinds.empty();
      };
    if (p.exports.stopAll)
      entries.stopAll = [&p] {
        p.calls.push_back(L"StopAll");
        p.watchedKinds.clear();
      };
    if (p.exports.setReceiver)
      entries.setReceiver = [&p](WindowHandle receiver) {
        p.calls.push_back(L"SetReceiver " + std::to_wstring(receiver));
      };
    return entries;
  }

 private:
  FakeHookPlatform& platform_;
};

class FakeReceiverWindow final : public ReceiverWindow {
 public:
  FakeReceiverWindow(FakeHookPlatform& platform, WindowHandle handle)
      : platform_(platform), handle_(handle) {}
  ~FakeReceiverWindow() override {
    ++platform_.receiversDestroyed;
    platform_.handler_ = nullptr;
    platform_.receiverHandle_ = kNoWindow;
  }
  WindowHandle Handle() const override { return handle_; }

 private:
  FakeHookPlatform& platform_;
  WindowHandle handle_;
};

std::uint32_t FakeHookPlatform::MessageNumber(const std::wstring& name) const {
  const auto found = std::find(registeredNames.begin(), registeredNames.end(), name);
  if (found == registeredNames.end()) return 0;
  return 0xC000 + static_cast<std::uint32_t>(found - registeredNames.begin());
}

std::uint32_t FakeHookPlatform::RegisterMessage(const std::wstring& name) {
  if (std::find(registeredNames.begin(), registeredNames.end(), name) == registeredNames.end())
    registeredNames.push_back(name);
  return MessageNumber(name);
}

std::unique_ptr<HookLibrary> FakeHookPlatform::LoadHookLibrary() {
  ++loadAttempts;
  if (!libraryPresent) return nullptr;
  ++loads;
  return std::make_unique<FakeHookLibrary>(*this);
}

std::unique_ptr<ReceiverWindow> FakeHookPlatform::CreateReceiverWindow(ReceiverHandler handler) {
  ++receiversCreated;
  handler_ = std::move(handler);
  receiverHandle_ = nextReceiverHandle_++;
  return std::make_unique<FakeReceiverWindow>(*this, receiverHandle_);
}

bool FakeHookPlatform::Deliver(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
  return handler_ && handler_(message, wParam, lParam);
}

}  // namespace dpx::fakes
