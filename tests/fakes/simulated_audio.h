#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio_output.h"

namespace dpx::fakes {

// One playback device with its level and mute state, and switches for the ways the platform's
// calls fail.
struct SimAudioDevice {
  float level = 1.0f;
  bool muted = false;
  bool levelReadFails = false;
  bool muteReadFails = false;
  bool levelSetFails = false;  // as Wine's stub answers E_NOTIMPL
  bool muteSetFails = false;
};

// The machine's playback devices; one of them, or none, is the default. Every endpoint handed
// out acts on the device that was the default when it was looked up.
class SimulatedAudio final : public AudioOutput {
 public:
  // Adds a device and returns its number; the first one added becomes the default.
  int AddDevice(const SimAudioDevice& device = {});
  void SetDefault(std::optional<int> device) { default_ = device; }
  // A machine without Core Audio: the lookup throws AudioUnavailable.
  void RemoveCoreAudio() { coreAudio_ = false; }
  SimAudioDevice& Device(int device) { return devices_.at(device); }

  // What was played, and each level or mute set, e.g. L"level 0 0.5", L"mute 0 1", in order.
  const std::vector<std::wstring>& log() const { return log_; }
  // Runs while a sound plays, e.g. to look at the controls or to fail.
  std::function<void()> onPlay;
  // The state of the default device when each sound was played.
  const std::vector<SimAudioDevice>& stateWhilePlaying() const { return stateWhilePlaying_; }

  std::unique_ptr<EndpointVolume> GetEndpointVolume() override;
  std::wstring WindowsDirectory() override { return L"C:\\Windows"; }
  void PlayFile(const std::wstring& path) override;

 private:
  friend class SimEndpointVolume;

  std::vector<SimAudioDevice> devices_;
  std::optional<int> default_;
  bool coreAudio_ = true;
  std::vector<std::wstring> log_;
  std::vector<SimAudioDevice> stateWhilePlaying_;
};

}  // namespace dpx::fakes
