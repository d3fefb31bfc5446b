#include "fakes/simulated_audio.h"

namespace dpx::fakes {

class SimEndpointVolume final : public EndpointVolume {
 public:
  SimEndpointVolume(SimulatedAudio& audio, int device) : audio_(audio), device_(device) {}

  std::optional<float> MasterLevel() override {
    if (Device().levelReadFails) return std::nullopt;
    return Device().level;
  }
  std::optional<bool> Muted() override {
    if (Device().muteReadFails) return std::nullopt;
    return Device().muted;
  }
  bool SetMasterLevel(float level) override {
    if (Device().levelSetFails) return false;
    Device().level = level;
    audio_.log_.push_back(L"level " + std::to_wstring(device_) + L" " + std::to_wstring(level));
    return true;
  }
  bool SetMuted(bool muted) override {
    if (Device().muteSetFails) return false;
    Device().muted = muted;
    audio_.log_.push_back(L"mute " + std::to_wstring(device_) + (muted ? L" 1" : L" 0"));
    return true;
  }

 private:
  SimAudioDevice& Device() { return audio_.devices_.at(device_); }

  SimulatedAudio& audio_;
  int device_;
};

int SimulatedAudio::AddDevice(const SimAudioDevice& device) {
  devices_.push_back(device);
  const int number = static_cast<int>(devices_.size()) - 1;
  if (!default_) default_ = number;
  return number;
}

std::unique_ptr<EndpointVolume> SimulatedAudio::GetEndpointVolume() {
  if (!coreAudio_) throw AudioUnavailable("no device enumerator");
  if (!default_) return nullptr;
  return std::make_unique<SimEndpointVolume>(*this, *default_);
}

void SimulatedAudio::PlayFile(const std::wstring& path) {
  log_.push_back(L"play " + path);
  if (default_) stateWhilePlaying_.push_back(devices_.at(*default_));
  if (onPlay) onPlay();
}

}  // namespace dpx::fakes
