#include "app/ini_file.h"

#include <optional>
#include <utility>

namespace dpx {
namespace {

std::optional<int> HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return std::nullopt;
}

// Up to 8 hex digits, taken as the bits of a 32-bit number (so "$FFFFFFFF" is -1).
std::optional<std::int32_t> ParseHex(std::wstring_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (wchar_t c : digits) {
    const auto digit = HexDigit(c);
    if (!digit) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(*digit);
  }
  return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ParseDecimal(std::wstring_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
    if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

// A profile read drops blanks around a value and one pair of matching quotes around it. A text
// that either would change goes into quotes, so it reads back as written rather than as another
// hot key or an empty value; every other text is written as it is.
std::wstring AsStored(const std::wstring& value) {
  if (value.empty()) return value;
  const auto blank = [](wchar_t c) { return c <= L' '; };
  const bool quoted = value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
                      value.back() == value.front();
  if (!blank(value.front()) && !blank(value.back()) && !quoted) return value;
  return L'"' + value + L'"';
}

}  // namespace

std::wstring FormatBoolean(bool value) {
  return value ? L"1" : L"0";
}

std::wstring FormatInteger(std::int32_t value) {
  return std::to_wstring(value);
}

std::int32_t ParseInteger(const std::wstring& text, std::int32_t defaultValue) {
  const std::wstring_view view(text);
  std::optional<std::int32_t> value;
  if (view.size() > 2 && (view.starts_with(L"0x") || view.starts_with(L"0X"))) {
    value = ParseHex(view.substr(2));
  } else if (view.starts_with(L'$')) {
    value = ParseHex(view.substr(1));
  } else {
    value = ParseDecimal(view);
  }
  return value.value_or(defaultValue);
}

bool ParseBoolean(const std::wstring& text, bool defaultValue) {
  return ParseInteger(text, defaultValue ? 1 : 0) != 0;
}

SettingsWriteError::SettingsWriteError(const std::wstring& path)
    : AppError(L"Unable to write to " + path) {}

IniFile::IniFile(ProfileFile& profile, std::wstring path, std::wstring reportedPath)
    : profile_(profile), path_(std::move(path)), reportedPath_(std::move(reportedPath)) {
  if (reportedPath_.empty()) reportedPath_ = path_;
}

bool IniFile::ReadBoolean(const std::wstring& section, const std::wstring& key, bool defaultValue) {
  return ParseBoolean(ReadText(section, key, FormatBoolean(defaultValue)), defaultValue);
}

std::int32_t IniFile::ReadInteger(const std::wstring& section, const std::wstring& key,
                                  std::int32_t defaultValue) {
  return ParseInteger(ReadText(section, key, FormatInteger(defaultValue)), defaultValue);
}

std::wstring IniFile::ReadText(const std::wstring& section, const std::wstring& key,
                               const std::wstring& defaultValue) {
  return profile_.ReadString(path_, section, key, defaultValue);
}

void IniFile::WriteBoolean(const std::wstring& section, const std::wstring& key, bool value) {
  WriteText(section, key, FormatBoolean(value));
}

void IniFile::WriteInteger(const std::wstring& section, const std::wstring& key,
                           std::int32_t value) {
  WriteText(section, key, FormatInteger(value));
}

void IniFile::WriteText(const std::wstring& section, const std::wstring& key,
                        const std::wstring& value) {
  if (!profile_.WriteString(path_, section, key, AsStored(value)))
    throw SettingsWriteError(reportedPath_);
}

}  // namespace dpx
