#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "hide/hide_journal.h"

namespace dpx {

// The journal's file name in the data folder, beside "dpx.dat".
inline constexpr wchar_t kHideJournalFileName[] = L"HideJournal.dat";
// What a damaged journal is renamed to, so it is kept for a look but never read again.
inline constexpr wchar_t kDamagedSuffix[] = L".damaged";
// What a replayed or ended journal is renamed to where it cannot be deleted.
inline constexpr wchar_t kReplayedSuffix[] = L".replayed";
// A real hide's journal is far smaller; a larger file is not read (it would hold every start up)
// and counts as damaged.
inline constexpr std::size_t kMaxJournalBytes = 16 * 1024 * 1024;

// The hide-mode journal on disk. Writes replace the whole file at once, so a crash leaves either
// the old journal or the new one.
class HideJournalFile {
 public:
  explicit HideJournalFile(std::wstring path) : path_(std::move(path)) {}

  struct Loaded {
    std::optional<HideJournal> journal;  // nullopt: none, or a damaged one
    bool damaged = false;                // it was there, unreadable, and has been set aside
  };
  // Never throws: a file that cannot be read or parsed, or is over kMaxJournalBytes, is set aside
  // (when it can be) and reported as damaged.
  Loaded Load();
  // Throws IoError; the old journal then stays as it was.
  void Save(const HideJournal& journal);
  // Never throws. A journal that cannot be deleted (read-only, say) is renamed aside instead: left
  // in place, a later start would replay it and put back states older than the user's newer ones.
  // False when it is still there under its name.
  bool Remove();

  const std::wstring& path() const { return path_; }

 private:
  void SetAside();

  std::wstring path_;
};

}  // namespace dpx
