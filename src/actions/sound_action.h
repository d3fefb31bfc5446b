#pragma once

#include <optional>
#include <string>
#include <utility>

#include "actions/before_change.h"
#include "actions/volume_value.h"
#include "app/options.h"
#include "platform/audio_output.h"

namespace dpx {

// The sound side action: saves the default playback endpoint's level and mute state at hide,
// sets the chosen ones while hidden, and puts the saved ones back at restore. Every operation
// looks the endpoint up anew, so it acts on whatever device is the default at that moment. No
// endpoint, or no Core Audio at all, makes an operation do nothing: a hide or restore never stops
// at the sound step.
class SoundAction {
 public:
  SoundAction(AudioOutput& audio, const Options& options, BeforeChange beforeChange = {})
      : audio_(audio), options_(options), beforeChange_(std::move(beforeChange)) {}

  // The endpoint's present state for the "Current" indicator; nullopt when there is no endpoint
  // or a read fails, and the indicator then keeps what it shows.
  std::optional<VolumeState> CurrentVolume();

  // Hide: reads the endpoint into the saved pair, whatever "Modify sound" says.
  void SaveCurrentVolume();
  // Hide: sets the desired level and mute when "Modify sound" is checked. A failed level set
  // leaves the mute state alone.
  void ApplyDesiredVolume();
  // Restore (and program end in hide mode): puts the saved pair back when "Modify sound" is
  // checked, but only when this hide's save read the endpoint and its apply set the level;
  // otherwise the user's own setting stays.
  void RestoreSavedVolume();

  // The test: saves, applies the desired state, plays the test sound, puts the saved state back,
  // whatever "Modify sound" says. In hide mode it overwrites the pair the hide saved, so the
  // following restore returns to the state in force when the test started.
  void TestDesiredVolume();
  // "tada.wav" in the Windows media folder, played to its end.
  void PlayTestSound();

  const VolumeState& saved() const { return saved_; }
  // What the next restore will put back: the saved pair when it is due, else nullopt.
  std::optional<VolumeState> VolumeToPutBack() const;
  // A recovery after a run that died in hide mode: puts that run's saved pair back.
  void PutBackVolume(const VolumeState& volume) { WriteEndpoint(volume); }

 private:
  std::optional<VolumeState> ReadEndpoint();
  // True when the level was set (the mute is set only then).
  bool WriteEndpoint(const VolumeState& state);
  VolumeState Desired() const { return {options_.volume, options_.volumeMuted}; }

  AudioOutput& audio_;
  const Options& options_;
  BeforeChange beforeChange_;
  VolumeState saved_;
  bool hideSaveFound_ = false;  // the last hide's save read the endpoint
  bool restoreDue_ = false;     // ...and its apply changed the level
};

}  // namespace dpx
