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
};

}  // namespace dpx
