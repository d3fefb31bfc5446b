#include "lists/list_file.h"

#include <algorithm>

#include "platform/file_io.h"

namespace dpx {

std::vector<ListEntry> ParseListFile(std::span<const unsigned char> bytes) {
  std::vector<ListEntry> entries;
  entries.reserve(bytes.size() / ListEntry::kSize);
  for (std::size_t offset = 0; offset + ListEntry::kSize <= bytes.size();
       offset += ListEntry::kSize) {
    ListEntry::Bytes record;
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), ListEntry::kSize,
                record.begin());
    entries.emplace_back(record);
  }
  return entries;
}

std::vector<unsigned char> ListFileBytes(const std::vector<ListEntry>& entries) {
  std::vector<unsigned char> bytes;
  bytes.reserve(entries.size() * ListEntry::kSize);
  for (const ListEntry& entry : entries)
    bytes.insert(bytes.end(), entry.bytes().begin(), entry.bytes().end());
  return bytes;
}

std::vector<ListEntry> LoadListFile(const std::wstring& path) {
  if (!FileExists(path)) return {};
  return ParseListFile(ReadWholeFile(path));
}

void SaveListFile(const std::wstring& path, const std::vector<ListEntry>& entries) {
  WriteFileAtomically(path, ListFileBytes(entries));
}

}  // namespace dpx
