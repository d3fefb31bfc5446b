#pragma once

#include <span>
#include <string>
#include <vector>

#include "lists/list_entry.h"

namespace dpx {

inline constexpr wchar_t kExcludeListFileName[] = L"ExList.Dat";
inline constexpr wchar_t kBringToTopListFileName[] = L"BttList.Dat";

// Every complete 513-byte record of a list file's bytes, in order; a shorter trailing piece is
// ignored.
std::vector<ListEntry> ParseListFile(std::span<const unsigned char> bytes);
// The bytes of a list file holding `entries`.
std::vector<unsigned char> ListFileBytes(const std::vector<ListEntry>& entries);

// Every complete 513-byte record of the file, in file order; a shorter trailing piece is ignored.
// A missing file gives no entries. Throws IoError when the file exists but cannot be read.
std::vector<ListEntry> LoadListFile(const std::wstring& path);

// Rewrites the file whole (an empty list gives an empty file). The new contents replace the old
// in one step, so a failed write leaves the previous file intact. Throws IoError.
void SaveListFile(const std::wstring& path, const std::vector<ListEntry>& entries);

}  // namespace dpx
