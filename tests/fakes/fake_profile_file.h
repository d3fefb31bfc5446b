#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile_file.h"

namespace dpx::fakes {

// Profile files in memory, behaving as the Windows profile calls do: section and key names match
// without regard to (ASCII) case and keep the case they were created with; new sections go to the
// end of the file and new keys to the end of their section, in the order written; a read trims
// blanks around the value, removes one pair of matching quotes and keeps at most 2047
// characters. Lines that are not "key=value" (comments) are kept but never match a key.
class FakeProfileFile final : public ProfileFile {
 public:
  std::wstring ReadString(const std::wstring& path, const std::wstring& section,
                          const std::wstring& key, const std::wstring& defaultValue) override;
  bool WriteString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override;
  bool StageCopy(const std::wstring& from, const std::wstring& staged) override;
  bool Commit(const std::wstring& staged, const std::wstring& target) override;
  void Discard(const std::wstring& staged) override;
  // Makes every Commit fail, as for a target another program holds open.
  void FailCommits(bool fail) { failCommits_ = fail; }

  // The file as the platform writes it: "[Section]\r\n" and "Key=Value\r\n" lines; nullopt while
  // the file does not exist.
  std::optional<std::wstring> Text(const std::wstring& path) const;
  // Puts a file in place, as a user or another program would have written it (lines end in
  // "\r\n" or "\n"; blanks around names and values and blank lines are dropped, as the platform
  // does when it reads a file).
  void SetText(const std::wstring& path, const std::wstring& text);

  // After `successfulWrites` more writes, every write fails and leaves the files unchanged, as
  // for a read-only or locked file. AllowWrites() ends that.
  void FailWritesAfter(std::size_t successfulWrites);
  void AllowWrites();
  // Every attempted write, in order, as "Section\Key=Value", and whether it succeeded.
  struct WriteCall {
    std::wstring entry;
    bool succeeded;
  };
  const std::vector<WriteCall>& Writes() const { return writes_; }

 private:
  struct Line {
    std::wstring key;  // the whole line when it has no "="
    std::optional<std::wstring> value;
  };
  struct Section {
    std::wstring name;  // empty for lines before the first section
    std::vector<Line> lines;
  };
  using File = std::vector<Section>;

  std::map<std::wstring, File> files_;
  std::optional<std::size_t> writesLeft_;
  std::vector<WriteCall> writes_;
  bool failCommits_ = false;
};

}  // namespace dpx::fakes
