#include "ui/win32/list_drag.h"

#include <array>
#include <string>

namespace dpx::win32 {
namespace {

// The pointer over a list that takes the row: the arrow carrying a page. 'X' black, 'o' white,
// '.' the screen as it is. The hot spot is the arrow's tip.
constexpr std::array<const char*, 32> kDropCursorArt = {
    "X...............................", "XX..............................",
    "XoX.............................", "XooX............................",
    "XoooX...........................", "XooooX..........................",
    "XoooooX.........................", "XooooooX........................",
    "XoooooooX.......................", "XooooooooX......................",
    "XoooooXXXXX.....................", "XooXooX.........................",
    "XoX.XooX........................", "XX..XooX........................",
    "X....XooX.......................", ".....XooX.......................",
    "......XX.XXXXXXXXXXX............", ".........XoooooooooX............",
    ".........XoXXXXXXXoX............", ".........XoooooooooX............",
    ".........XoXXXXXXXoX............", ".........XoooooooooX............",
    ".........XoXXXXXoooX............", ".........XoooooooooX............",
    ".........XXXXXXXXXXX............", "................................",
    "................................", "................................",
    "................................", "................................",
    "................................", "................................"};

static_assert(
    [] {
      for (const char* row : kDropCursorArt)
        if (std::char_traits<char>::length(row) != kDropCursorArt.size()) return false;
      return true;
    }(),
    "every row of the cursor is as wide as the cursor is high");

UniqueCursor MakeDropCursor() {
  constexpr int kSize = 32;
  constexpr int kRowBytes = kSize / 8;
  std::array<BYTE, kSize * kRowBytes> andPlane{};
  std::array<BYTE, kSize * kRowBytes> xorPlane{};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const char pixel = kDropCursorArt[y][x];
      const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
      const int byte = y * kRowBytes + x / 8;
      // The AND plane keeps the screen, the XOR plane then sets white.
      if (pixel == '.') andPlane[byte] |= bit;
      if (pixel == 'o') xorPlane[byte] |= bit;
    }
  }
  return UniqueCursor(::CreateCursor(::GetModuleHandleW(nullptr), 0, 0, kSize, kSize,
                                     andPlane.data(), xorPlane.data()));
}

}  // namespace

ListDrag::ListDrag(HWND page) : page_(page), dropCursor_(MakeDropCursor()) {}

void ListDrag::AddList(HWND list, PageList id) {
  lists_.emplace_back(list, id);
}

void ListDrag::Begin(HWND sourceList) {
  for (const auto& [list, id] : lists_)
    if (list == sourceList) source_ = id;
  if (!source_) return;
  ::SetCapture(page_);
  OnMouseMove();
}

void ListDrag::OnMouseMove() {
  if (!Active()) return;
  ::SetCursor(TargetAccepts() && dropCursor_ ? dropCursor_.Get() : ::LoadCursorW(nullptr, IDC_NO));
}

std::optional<std::pair<PageList, PageList>> ListDrag::OnButtonUp() {
  if (!Active()) return std::nullopt;
  const PageList source = *source_;
  const std::optional<PageList> target = TargetAccepts() ? ListUnderPointer() : std::nullopt;
  source_.reset();
  ::ReleaseCapture();
  if (!target) return std::nullopt;
  return std::pair{*target, source};
}

std::optional<PageList> ListDrag::ListUnderPointer() const {
  POINT at{};
  ::GetCursorPos(&at);
  HWND under = ::WindowFromPoint(at);
  for (const auto& [list, id] : lists_) {
    // The pointer may be over the list's column headers, a window of its own.
    if (under == list || ::IsChild(list, under)) return id;
  }
  return std::nullopt;
}

bool ListDrag::TargetAccepts() const {
  const std::optional<PageList> target = ListUnderPointer();
  return source_ && target && AcceptsDrop(*target, *source_);
}

}  // namespace dpx::win32
