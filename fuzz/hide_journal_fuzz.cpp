// The hide-mode journal reader: any file a run that died in hide mode, a full disk or another
// program may have left.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "hide/hide_journal.h"

using dpx::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto journal = dpx::ParseHideJournal(bytes);
  if (!journal) return 0;

  // A journal written from what was read reads back the same: nothing a restore puts back
  // changes on the way through the file.
  const auto again = dpx::ParseHideJournal(dpx::FormatHideJournal(*journal));
  Require(again.has_value(), "a written journal reads back");
  Require(again->windows == journal->windows && again->surfaces == journal->surfaces &&
              again->savedVolume == journal->savedVolume &&
              again->wallpaperPath == journal->wallpaperPath,
          "windows, surfaces, volume and wallpaper read back the same");
  Require(again->displaySettings.has_value() == journal->displaySettings.has_value(),
          "the display settings read back");
  if (journal->displaySettings) {
    Require(again->displaySettings->mode == journal->displaySettings->mode &&
                again->displaySettings->record == journal->displaySettings->record,
            "the display settings read back the same");
  }
  return 0;
}
