#include "fakes/fake_profile_file.h"

#include <algorithm>

namespace dpx::fakes {
namespace {

constexpr std::size_t kReadBufferCharacters = 2048;

wchar_t FoldAscii(wchar_t c) {
  return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return FoldAscii(x) == FoldAscii(y); });
}

std::wstring TrimBlanks(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  const auto last = text.find_last_not_of(L" \t");
  return text.substr(first, last - first + 1);
}

std::wstring AsRead(std::wstring value) {
  value = TrimBlanks(value);
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > kReadBufferCharacters - 1) value.resize(kReadBufferCharacters - 1);
  return value;
}

}  // namespace

std::wstring FakeProfileFile::ReadString(const std::wstring& path, const std::wstring& section,
                                         const std::wstring& key,
                                         const std::wstring& defaultValue) {
  const auto file = files_.find(path);
  if (file != files_.end()) {
    for (const Section& s : file->second) {
      if (s.name.empty() || !SameName(s.name, section)) continue;
      for (const Line& line : s.lines) {
        if (line.value && SameName(line.key, key)) return AsRead(*line.value);
      }
      break;  // only the first section of that name counts
    }
  }
  return AsRead(defaultValue);
}

bool FakeProfileFile::WriteString(const std::wstring& path, const std::wstring& section,
                                  const std::wstring& key, const std::wstring& value) {
  const bool allowed = !writesLeft_ || *writesLeft_ > 0;
  writes_.push_back({section + L"\\" + key + L"=" + value, allowed});
  if (!allowed) return false;
  if (writesLeft_) --*writesLeft_;

  File& file = files_[path];
  auto s = std::find_if(file.begin(), file.end(), [&](const Section& candidate) {
    return !candidate.name.empty() && SameName(candidate.name, section);
  });
  if (s == file.end()) s = file.insert(file.end(), Section{section, {}});
  auto line = std::find_if(s->lines.begin(), s->lines.end(), [&](const Line& candidate) {
    return candidate.value && SameName(candidate.key, key);
  });
  if (line == s->lines.end()) {
    s->lines.push_back({key, value});
  } else {
    line->value = value;
  }
  return true;
}

bool FakeProfileFile::StageCopy(const std::wstring& from, const std::wstring& staged) {
  files_.erase(staged);
  if (const auto file = files_.find(from); file != files_.end()) files_[staged] = file->second;
  return true;
}

bool FakeProfileFile::Commit(const std::wstring& staged, const std::wstring& target) {
  const auto file = files_.find(staged);
  if (failCommits_ || file == files_.end()) return false;
  files_[target] = std::move(file->second);
  files_.erase(staged);
  return true;
}

void FakeProfileFile::Discard(const std::wstring& staged) {
  files_.erase(staged);
}

std::optional<std::wstring> FakeProfileFile::Text(const std::wstring& path) const {
  const auto file = files_.find(path);
  if (file == files_.end()) return std::nullopt;
  std::wstring text;
  for (const Section& s : file->second) {
    if (!s.name.empty()) text += L"[" + s.name + L"]\r\n";
    for (const Line& line : s.lines) {
      text += line.key;
      if (line.value) text += L"=" + *line.value;
      text += L"\r\n";
    }
  }
  return text;
}

void FakeProfileFile::SetText(const std::wstring& path, const std::wstring& text) {
  File file{Section{}};
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    start = end + 1;
    if (line.ends_with(L'\r')) line.pop_back();
    line = TrimBlanks(line);
    if (line.empty()) continue;
    if (line.front() == L'[' && line.find(L']') != std::wstring::npos) {
      file.push_back({TrimBlanks(line.substr(1, line.find(L']') - 1)), {}});
    } else if (const auto equals = line.find(L'='); equals != std::wstring::npos) {
      file.back().lines.push_back(
          {TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))});
    } else {
      file.back().lines.push_back({line, std::nullopt});
    }
  }
  if (file.front().lines.empty()) file.erase(file.begin());
  files_[path] = std::move(file);
}

void FakeProfileFile::FailWritesAfter(std::size_t successfulWrites) {
  writesLeft_ = successfulWrites;
}

void FakeProfileFile::AllowWrites() {
  writesLeft_.reset();
}

}  // namespace dpx::fakes
