#pragma once

#include <string>

namespace dpx {

// The platform's profile files ("INI" text files): one call per key, nothing cached, each write
// rewrites the file at once. Section and key names match without regard to case.
class ProfileFile {
 public:
  virtual ~ProfileFile() = default;

  // The value of `key` in `section` of the file at `path`, at most 2047 characters; blanks around
  // it and one pair of matching quotes are removed. `defaultValue` when the file, the section or
  // the key is missing; a key present with an empty value gives the empty text.
  virtual std::wstring ReadString(const std::wstring& path, const std::wstring& section,
                                  const std::wstring& key, const std::wstring& defaultValue) = 0;
  // Creates the file, the section and the key as needed. False when the file cannot be written.
  virtual bool WriteString(const std::wstring& path, const std::wstring& section,
                           const std::wstring& key, const std::wstring& value) = 0;

  // Whole-file steps, so a save can be written into a sibling and put in place in one step: a
  // crash or a failed write then never leaves a half-written file.
  // Makes `staged` a copy of `from` (or removes it when `from` does not exist).
  virtual bool StageCopy(const std::wstring& from, const std::wstring& staged) = 0;
  // Writes out whatever the platform still holds of `staged`, flushes it to the disk, then
  // replaces `target` with it. False when any of that fails; `target` then stays as it was.
  virtual bool Commit(const std::wstring& staged, const std::wstring& target) = 0;
  virtual void Discard(const std::wstring& staged) = 0;
};

}  // namespace dpx
