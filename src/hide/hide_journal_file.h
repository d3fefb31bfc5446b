#pragma once

#include <optional>
#include <string>

#include "hide/hide_journal.h"

namespace dpx {

// The journal's file name in the data folder, beside "dpx.dat".
inline constexpr wchar_t kHideJournalFileName[] = L"HideJournal.dat";
// What a damaged journal is renamed to, so it is kept for a look but never read again.
inline constexpr wchar_t kDamagedSuffix[] = L".damaged";

// The hide-mode journal on disk. Writes replace the whole file at once, so a crash leaves either
// the old journal or the new one.
class HideJournalFile {
 public:
  explicit HideJournalFile(std::wstring path) : path_(std::move(path)) {}

  struct Loaded {
    std::optional<HideJournal> journal;  // nullopt: none, or a damaged one
    bool damaged = false;                // it was there, unreadable, and has been set aside
  };
  // Never throws: a file that cannot be read or parsed is set aside (when it can be) and reported
  // as damaged.
  Loaded Load();
  // Throws IoError; the old journal then stays as it was.
  void Save(const HideJournal& journal);
  // Never throws: a journal that cannot be deleted is replayed again at the next start, which
  // only shows windows that are still hidden and marked. False when it is still there.
  bool Remove();

  const std::wstring& path() const { return path_; }

 private:
  void SetAside();

  std::wstring path_;
};

}  // namespace dpx
