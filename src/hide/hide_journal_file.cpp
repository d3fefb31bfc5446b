#include "hide/hide_journal_file.h"

#include "platform/file_io.h"

namespace dpx {

HideJournalFile::Loaded HideJournalFile::Load() {
  Loaded loaded;
  if (!FileExists(path_)) return loaded;
  try {
    const std::vector<unsigned char> bytes = ReadWholeFile(path_, kMaxJournalBytes);
    loaded.journal = ParseHideJournal(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const IoError&) {
    // Unreadable or too large counts as damaged: the start must go on.
  }
  if (!loaded.journal) {
    loaded.damaged = true;
    SetAside();
  }
  return loaded;
}

void HideJournalFile::Save(const HideJournal& journal) {
  const std::string text = FormatHideJournal(journal);
  WriteFileAtomically(path_, std::vector<unsigned char>(text.begin(), text.end()));
}

bool HideJournalFile::Remove() {
  try {
    RemoveFile(path_);
    return true;
  } catch (const IoError&) {
  }
  try {
    MoveFileReplacing(path_, path_ + kReplayedSuffix);
    return true;
  } catch (const IoError&) {
    return false;
  }
}

void HideJournalFile::SetAside() {
  try {
    MoveFileReplacing(path_, path_ + kDamagedSuffix);
  } catch (const IoError&) {
    // Left where it is, it is found damaged again next time; never trusted either way.
  }
}

}  // namespace dpx
