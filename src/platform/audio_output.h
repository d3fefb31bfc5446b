#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace dpx {

// The machine has no Core Audio: the device enumerator cannot be created or does not offer its
// interface. Sound actions treat it as "no playback endpoint".
class AudioUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The volume controls of one playback endpoint, held for one operation only.
class EndpointVolume {
 public:
  virtual ~EndpointVolume() = default;

  // Scalar level, 0.0 to 1.0; nullopt when the read fails.
  virtual std::optional<float> MasterLevel() = 0;
  virtual std::optional<bool> Muted() = 0;
  // False when the call fails.
  virtual bool SetMasterLevel(float level) = 0;
  virtual bool SetMuted(bool muted) = 0;
};

// The default playback device and the system's sounds.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // The endpoint volume of the default playback endpoint of the console role, looked up anew at
  // each call; nullptr when there is no such endpoint. Throws AudioUnavailable.
  virtual std::unique_ptr<EndpointVolume> GetEndpointVolume() = 0;
  virtual std::wstring WindowsDirectory() = 0;
  // Plays a sound file and returns when it has finished; a missing file is the platform's affair.
  virtual void PlayFile(const std::wstring& path) = 0;
};

}  // namespace dpx
