#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/text_services.h"

namespace dpx {

// One entry of the Do not hide or Bring to TOP list, byte for byte as stored in the list files:
// title and path as length-prefixed strings of at most 255 ANSI bytes, then the all-windows flag.
class ListEntry {
 public:
  static constexpr std::size_t kSize = 513;
  static constexpr std::size_t kMaxTextBytes = 255;
  using Bytes = std::array<unsigned char, kSize>;

  ListEntry() { bytes_.fill(0); }
  explicit ListEntry(const Bytes& bytes) : bytes_(bytes) {}
  ListEntry(TextServices& text, const std::wstring& title, const std::wstring& path,
            bool allWindows);

  std::wstring Title(TextServices& text) const;
  std::wstring Path(TextServices& text) const;
  // Any non-zero flag byte means all windows of the application.
  bool AllWindows() const { return bytes_[kFlagOffset] != 0; }
  void SetAllWindows(bool allWindows) { bytes_[kFlagOffset] = allWindows ? 1 : 0; }

  const Bytes& bytes() const { return bytes_; }
  bool operator==(const ListEntry&) const = default;

 private:
  static constexpr std::size_t kTitleOffset = 0;
  static constexpr std::size_t kPathOffset = 256;
  static constexpr std::size_t kFlagOffset = 512;

  void StoreField(std::size_t offset, TextServices& text, const std::wstring& value);
  std::wstring LoadField(std::size_t offset, TextServices& text) const;

  Bytes bytes_;
};

// What a list row shows for an entry.
struct ListRowText {
  std::wstring caption;  // "Application Name": file name part of the path
  std::wstring title;    // "Window Title"
  std::wstring all;      // "All": "yes" or "no" (Do not hide list only)
};

ListRowText RowText(TextServices& text, const ListEntry& entry);

}  // namespace dpx
