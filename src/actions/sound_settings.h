#pragma once

#include "app/ini_file.h"
#include "app/options.h"

namespace dpx {

// Section "Sounds" of the settings file: "ModifyVolume", "Volume" and "VolumeMuted".

// Reads the three keys into `options`; only the low 16 bits of the stored volume count.
void ReadSoundSettings(IniFile& settings, Options& options);
// Writes the three keys in that order; throws SettingsWriteError at the first that fails.
void WriteSoundSettings(IniFile& settings, const Options& options);

}  // namespace dpx
