#include "lists/list_entry.h"

#include <algorithm>

#include "common/strings.h"

namespace dpx {

ListEntry::ListEntry(TextServices& text, const std::wstring& title, const std::wstring& path,
                     bool allWindows) {
  bytes_.fill(0);
  StoreField(kTitleOffset, text, title);
  StoreField(kPathOffset, text, path);
  bytes_[kFlagOffset] = allWindows ? 1 : 0;
}

void ListEntry::StoreField(std::size_t offset, TextServices& text, const std::wstring& value) {
  const std::string ansi = text.ToAnsi(value.substr(0, kMaxTextBytes));
  const std::size_t length = std::min(ansi.size(), kMaxTextBytes);
  bytes_[offset] = static_cast<unsigned char>(length);
  std::copy_n(ansi.begin(), length, bytes_.begin() + static_cast<std::ptrdiff_t>(offset) + 1);
}

std::wstring ListEntry::LoadField(std::size_t offset, TextServices& text) const {
  const auto* first = bytes_.data() + offset + 1;
  return text.FromAnsi(std::string(first, first + bytes_[offset]));
}

std::wstring ListEntry::Title(TextServices& text) const {
  return LoadField(kTitleOffset, text);
}

std::wstring ListEntry::Path(TextServices& text) const {
  return LoadField(kPathOffset, text);
}

ListRowText RowText(TextServices& text, const ListEntry& entry) {
  return {FileNamePart(entry.Path(text)), entry.Title(text), entry.AllWindows() ? L"yes" : L"no"};
}

}  // namespace dpx
