#include "actions/sound_settings.h"

namespace dpx {
namespace {
const std::wstring kSection = L"Sounds";
const Options kDefaults;
}  // namespace

void ReadSoundSettings(IniFile& settings, Options& options) {
  // Only the low 16 bits count: a stored 70000 is 4464, a stored -1 is 65535.
  options.volume =
      static_cast<std::uint16_t>(settings.ReadInteger(kSection, L"Volume", kDefaults.volume));
  options.volumeMuted = settings.ReadBoolean(kSection, L"VolumeMuted", kDefaults.volumeMuted);
  options.modifyVolume = settings.ReadBoolean(kSection, L"ModifyVolume", kDefaults.modifyVolume);
}

void WriteSoundSettings(IniFile& settings, const Options& options) {
  settings.WriteBoolean(kSection, L"ModifyVolume", options.modifyVolume);
  settings.WriteInteger(kSection, L"Volume", options.volume);
  settings.WriteBoolean(kSection, L"VolumeMuted", options.volumeMuted);
}

}  // namespace dpx
