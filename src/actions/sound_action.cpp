#include "actions/sound_action.h"

#include <memory>
#include <utility>

namespace dpx {

std::optional<VolumeState> SoundAction::ReadEndpoint() {
  std::unique_ptr<EndpointVolume> endpoint;
  try {
    endpoint = audio_.GetEndpointVolume();
  } catch (const AudioUnavailable&) {
    // No Core Audio on this machine: the same as no playback device.
    return std::nullopt;
  }
  if (!endpoint) return std::nullopt;
  const std::optional<float> level = endpoint->MasterLevel();
  if (!level) return std::nullopt;
  const std::optional<bool> muted = endpoint->Muted();
  if (!muted) return std::nullopt;
  return VolumeState{VolumeFromLevel(*level), *muted};
}

bool SoundAction::WriteEndpoint(const VolumeState& state) {
  std::unique_ptr<EndpointVolume> endpoint;
  try {
    endpoint = audio_.GetEndpointVolume();
  } catch (const AudioUnavailable&) {
    return false;
  }
  if (!endpoint) return false;
  if (!endpoint->SetMasterLevel(LevelFromVolume(state.volume))) return false;
  endpoint->SetMuted(state.muted);  // its failure changes nothing we could put right
  return true;
}

std::optional<VolumeState> SoundAction::CurrentVolume() {
  return ReadEndpoint();
}

void SoundAction::SaveCurrentVolume() {
  const std::optional<VolumeState> current = ReadEndpoint();
  hideSaveFound_ = current.has_value();
  restoreDue_ = false;
  if (current) saved_ = *current;
}

void SoundAction::ApplyDesiredVolume() {
  if (!options_.modifyVolume) return;
  // Written down as due before the change; a set that then fails only puts back what is there.
  restoreDue_ = hideSaveFound_;
  if (restoreDue_ && beforeChange_) beforeChange_();
  const bool changed = WriteEndpoint(Desired());
  restoreDue_ = changed && hideSaveFound_;
}

void SoundAction::RestoreSavedVolume() {
  const bool due = std::exchange(restoreDue_, false);
  hideSaveFound_ = false;
  if (!options_.modifyVolume || !due) return;
  WriteEndpoint(saved_);
}

std::optional<VolumeState> SoundAction::VolumeToPutBack() const {
  if (!options_.modifyVolume || !restoreDue_) return std::nullopt;
  return saved_;
}

void SoundAction::TestDesiredVolume() {
  const std::optional<VolumeState> before = ReadEndpoint();
  if (before) saved_ = *before;
  const bool changed = WriteEndpoint(Desired());
  PlayTestSound();
  if (before && changed) WriteEndpoint(*before);
}

void SoundAction::PlayTestSound() {
  audio_.PlayFile(audio_.WindowsDirectory() + L"\\media\\" + L"tada.wav");
}

}  // namespace dpx
