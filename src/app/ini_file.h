#pragma once

#include <cstdint>
#include <string>

#include "app/app_error.h"
#include "platform/profile_file.h"

namespace dpx {

// Value encodings of the settings file. Booleans are written "1"/"0" and read as integers (0 is
// false, any other number true). Integers are decimal when written; when read, "0x"/"0X" followed
// by hex digits (only for texts longer than two characters) and "$" followed by hex digits are
// hexadecimal (up to 8 digits, taken as 32-bit two's complement), anything else is decimal with
// an optional sign. A text that does not parse gives the default.
std::wstring FormatBoolean(bool value);
std::wstring FormatInteger(std::int32_t value);
bool ParseBoolean(const std::wstring& text, bool defaultValue);
std::int32_t ParseInteger(const std::wstring& text, std::int32_t defaultValue);

// "Unable to write to <full path of the settings file>".
class SettingsWriteError : public AppError {
 public:
  explicit SettingsWriteError(const std::wstring& path);
};

// Typed keys of one settings file, read and written one profile call per key. A missing file,
// section or key gives the default; a present but empty Text key gives the empty text.
class IniFile {
 public:
  // Writes go to `path`; a failure names `reportedPath` (the file the user knows), when given.
  IniFile(ProfileFile& profile, std::wstring path, std::wstring reportedPath = {});

  const std::wstring& Path() const { return path_; }

  bool ReadBoolean(const std::wstring& section, const std::wstring& key, bool defaultValue);
  std::int32_t ReadInteger(const std::wstring& section, const std::wstring& key,
                           std::int32_t defaultValue);
  std::wstring ReadText(const std::wstring& section, const std::wstring& key,
                        const std::wstring& defaultValue);

  // Each throws SettingsWriteError when the key cannot be written. A text that a read would
  // change (blanks at either end, or one pair of matching quotes around it) is written in quotes.
  void WriteBoolean(const std::wstring& section, const std::wstring& key, bool value);
  void WriteInteger(const std::wstring& section, const std::wstring& key, std::int32_t value);
  void WriteText(const std::wstring& section, const std::wstring& key, const std::wstring& value);

 private:
  ProfileFile& profile_;
  std::wstring path_;
  std::wstring reportedPath_;
};

}  // namespace dpx
