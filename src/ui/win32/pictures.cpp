#include "ui/win32/pictures.h"

#include <algorithm>
#include <array>
#include <vector>

namespace dpx::win32 {
namespace {

// Selects a GDI object into a device context for one scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
  ~Selected() { ::SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

COLORREF Blend(COLORREF from, COLORREF to, int step, int steps) {
  auto mix = [&](int a, int b) { return a + (b - a) * step / std::max(steps, 1); };
  return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}

void FillHorizontalGradient(HDC dc, const RECT& area, COLORREF from, COLORREF to) {
  const int width = area.right - area.left;
  constexpr int kBands = 64;
  for (int band = 0; band < kBands; ++band) {
    RECT part{area.left + width * band / kBands, area.top, area.left + width * (band + 1) / kBands,
              area.bottom};
    UniqueGdiObject brush(::CreateSolidBrush(Blend(from, to, band, kBands - 1)));
    ::FillRect(dc, &part, static_cast<HBRUSH>(brush.Get()));
  }
}

UniqueGdiObject MakeFontForHeight(int pixels, int weight) {
  LOGFONTW font{};
  font.lfHeight = -pixels;
  font.lfWeight = weight;
  font.lfQuality = CLEARTYPE_QUALITY;
  ::lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  return UniqueGdiObject(::CreateFontIndirectW(&font));
}

void DrawText(HDC dc, const std::wstring& text, RECT area, UINT format) {
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format | DT_NOPREFIX);
}

// A memory device context for drawing into a bitmap.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatible) : dc_(::CreateCompatibleDC(compatible)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() { ::DeleteDC(dc_); }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// One key of the keyboard picture, in key units (a letter key is 1 x 1).
struct Key {
  const wchar_t* label;
  double x, y, width;
  int mark;  // 0 none, else the index + 1 of the hot key bar it belongs to
};

// The three default hot keys, as the bars under the keyboard show them.
struct HotKeyBar {
  COLORREF colour;
  const wchar_t* text;
};
constexpr std::array<HotKeyBar, 3> kBars{{
    {RGB(200, 30, 30), L"Hide/Restore Windows - Ctrl + `"},
    {RGB(20, 40, 140), L"Hide/Show Program - Ctrl + \\"},
    {RGB(20, 150, 50), L"Start Secreensaver - Ctrl + F12"},
}};
constexpr int kRed = 1, kBlue = 2, kGreen = 3;

std::vector<Key> KeyboardKeys() {
  std::vector<Key> keys;
  auto row = [&keys](double y, double x, std::initializer_list<Key> row) {
    for (Key key : row) {
      key.x = x;
      key.y = y;
      x += key.width;
      keys.push_back(key);
    }
  };
  auto gap = [](double width) { return Key{nullptr, 0, 0, width, 0}; };
  row(0, 0,
      {{L"Esc", 0, 0, 1, 0},
       gap(1),
       {L"F1", 0, 0, 1, 0},
       {L"F2", 0, 0, 1, 0},
       {L"F3", 0, 0, 1, 0},
       {L"F4", 0, 0, 1, 0},
       gap(0.5),
       {L"F5", 0, 0, 1, 0},
       {L"F6", 0, 0, 1, 0},
       {L"F7", 0, 0, 1, 0},
       {L"F8", 0, 0, 1, 0},
       gap(0.5),
       {L"F9", 0, 0, 1, 0},
       {L"F10", 0, 0, 1, 0},
       {L"F11", 0, 0, 1, 0},
       {L"F12", 0, 0, 1, kGreen}});
  row(1.3, 0,
      {{L"`", 0, 0, 1, kRed},
       {L"1", 0, 0, 1, 0},
       {L"2", 0, 0, 1, 0},
       {L"3", 0, 0, 1, 0},
       {L"4", 0, 0, 1, 0},
       {L"5", 0, 0, 1, 0},
       {L"6", 0, 0, 1, 0},
       {L"7", 0, 0, 1, 0},
       {L"8", 0, 0, 1, 0},
       {L"9", 0, 0, 1, 0},
       {L"0", 0, 0, 1, 0},
       {L"-", 0, 0, 1, 0},
       {L"=", 0, 0, 1, 0},
       {L"Backspace", 0, 0, 2, 0}});
  row(2.3, 0,
      {{L"Tab", 0, 0, 1.5, 0},
       {L"Q", 0, 0, 1, 0},
       {L"W", 0, 0, 1, 0},
       {L"E", 0, 0, 1, 0},
       {L"R", 0, 0, 1, 0},
       {L"T", 0, 0, 1, 0},
       {L"Y", 0, 0, 1, 0},
       {L"U", 0, 0, 1, 0},
       {L"I", 0, 0, 1, 0},
       {L"O", 0, 0, 1, 0},
       {L"P", 0, 0, 1, 0},
       {L"[", 0, 0, 1, 0},
       {L"]", 0, 0, 1, 0},
       {L"\\", 0, 0, 1.5, kBlue}});
  row(3.3, 0,
      {{L"Caps", 0, 0, 1.75, 0},
       {L"A", 0, 0, 1, 0},
       {L"S", 0, 0, 1, 0},
       {L"D", 0, 0, 1, 0},
       {L"F", 0, 0, 1, 0},
       {L"G", 0, 0, 1, 0},
       {L"H", 0, 0, 1, 0},
       {L"J", 0, 0, 1, 0},
       {L"K", 0, 0, 1, 0},
       {L"L", 0, 0, 1, 0},
       {L";", 0, 0, 1, 0},
       {L"'", 0, 0, 1, 0},
       {L"Enter", 0, 0, 2.25, 0}});
  row(4.3, 0,
      {{L"Shift", 0, 0, 2.25, 0},
       {L"Z", 0, 0, 1, 0},
       {L"X", 0, 0, 1, 0},
       {L"C", 0, 0, 1, 0},
       {L"V", 0, 0, 1, 0},
       {L"B", 0, 0, 1, 0},
       {L"N", 0, 0, 1, 0},
       {L"M", 0, 0, 1, 0},
       {L",", 0, 0, 1, 0},
       {L".", 0, 0, 1, 0},
       {L"/", 0, 0, 1, 0},
       {L"Shift", 0, 0, 2.75, 0}});
  // Both Ctrl keys of the bottom row: the left one for the red hot key, the right one for the
  // blue and the green ones (marked blue; its link to the green bar is drawn separately).
  row(5.3, 0,
      {{L"Ctrl", 0, 0, 1.25, kRed},
       {L"Win", 0, 0, 1.25, 0},
       {L"Alt", 0, 0, 1.25, 0},
       {L"", 0, 0, 6.25, 0},
       {L"Alt", 0, 0, 1.25, 0},
       {L"Win", 0, 0, 1.25, 0},
       {L"Menu", 0, 0, 1.25, 0},
       {L"Ctrl", 0, 0, 1.25, kBlue}});
  return keys;
}

constexpr double kKeyboardUnitsWide = 15.0;
constexpr double kKeyboardUnitsHigh = 6.3;

}  // namespace

void DrawBanner(HDC dc, const RECT& area) {
  FillHorizontalGradient(dc, area, RGB(16, 42, 96), RGB(70, 130, 200));
  ::SetBkMode(dc, TRANSPARENT);
  const int height = area.bottom - area.top;
  UniqueGdiObject big = MakeFontForHeight(height * 6 / 10, FW_BOLD);
  UniqueGdiObject small = MakeFontForHeight(height * 3 / 10, FW_NORMAL);
  RECT name = area;
  name.left += height / 3;
  ::SetTextColor(dc, RGB(255, 255, 255));
  {
    Selected font(dc, big.Get());
    DrawText(dc, L"DPX", name, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, L"DPX ", 4, &size);
    name.left += size.cx;
  }
  Selected font(dc, small.Get());
  ::SetTextColor(dc, RGB(200, 220, 245));
  DrawText(dc, L"Desktop Privacy", name, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void DrawCaptionBar(HDC dc, const RECT& area, const std::wstring& text) {
  FillHorizontalGradient(dc, area, RGB(40, 80, 150), RGB(180, 205, 235));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(255, 255, 255));
  RECT inner = area;
  inner.left += 4;
  DrawText(dc, text, inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void DrawLogo(HDC dc, const RECT& area) {
  const int w = area.right - area.left;
  const int h = area.bottom - area.top;
  auto at = [&](int px, int py) {
    return POINT{area.left + w * px / 100, area.top + h * py / 100};
  };
  const POINT shield[] = {at(50, 2), at(94, 16), at(90, 60), at(50, 98), at(10, 60), at(6, 16)};
  UniqueGdiObject fill(::CreateSolidBrush(RGB(30, 70, 140)));
  UniqueGdiObject edge(::CreatePen(PS_SOLID, std::max(1, w / 32), RGB(16, 42, 96)));
  {
    Selected brush(dc, fill.Get());
    Selected pen(dc, edge.Get());
    ::Polygon(dc, shield, 6);
  }
  // A window frame with its shade drawn down: the hidden desktop.
  UniqueGdiObject white(::CreateSolidBrush(RGB(255, 255, 255)));
  UniqueGdiObject shade(::CreateSolidBrush(RGB(120, 160, 215)));
  const POINT topLeft = at(28, 30);
  const POINT bottomRight = at(72, 70);
  RECT frame{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  ::FillRect(dc, &frame, static_cast<HBRUSH>(white.Get()));
  RECT title{frame.left, frame.top, frame.right, frame.top + (frame.bottom - frame.top) / 5};
  ::FillRect(dc, &title, static_cast<HBRUSH>(shade.Get()));
  const int border = std::max(2, w / 24);
  RECT content{frame.left + border, title.bottom + border, frame.right - border,
               frame.bottom - border};
  ::FillRect(dc, &content, static_cast<HBRUSH>(shade.Get()));
}

void DrawKeyboard(HDC dc, const RECT& area) {
  UniqueGdiObject background(::CreateSolidBrush(RGB(245, 245, 245)));
  ::FillRect(dc, &area, static_cast<HBRUSH>(background.Get()));
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const int margin = width / 40;
  // The keyboard takes the upper part, the bars the lower part.
  const double unit = std::min((width - 2.0 * margin) / kKeyboardUnitsWide,
                               (height * 0.6 - margin) / kKeyboardUnitsHigh);
  const int left = area.left + static_cast<int>((width - unit * kKeyboardUnitsWide) / 2);
  const int top = area.top + margin;
  const int barTop = top + static_cast<int>(unit * kKeyboardUnitsHigh) + margin;
  const int barHeight = std::max(6, static_cast<int>(unit / 3));
  const int barSpacing = (area.bottom - barTop - margin / 2) / 3;

  UniqueGdiObject keyFont =
      MakeFontForHeight(std::max(10, static_cast<int>(unit * 0.4)), FW_NORMAL);
  UniqueGdiObject barFont = MakeFontForHeight(std::max(11, static_cast<int>(unit * 0.45)), FW_BOLD);
  UniqueGdiObject keyFace(::CreateSolidBrush(RGB(255, 255, 255)));
  UniqueGdiObject keyEdge(::CreatePen(PS_SOLID, 1, RGB(120, 120, 120)));
  ::SetBkMode(dc, TRANSPARENT);

  auto keyRect = [&](const Key& key) {
    const int gapPixels = std::max(1, static_cast<int>(unit / 12));
    return RECT{left + static_cast<int>(key.x * unit) + gapPixels,
                top + static_cast<int>(key.y * unit) + gapPixels,
                left + static_cast<int>((key.x + key.width) * unit) - gapPixels,
                top + static_cast<int>((key.y + 1) * unit) - gapPixels};
  };
  auto barY = [&](int mark) { return barTop + barSpacing * (mark - 1) + barHeight / 2; };

  const std::vector<Key> keys = KeyboardKeys();
  // Links first, so that the keys sit on top of them.
  auto link = [&](const RECT& key, int mark, int offset) {
    UniqueGdiObject pen(
        ::CreatePen(PS_SOLID, std::max(2, static_cast<int>(unit / 14)), kBars[mark - 1].colour));
    Selected selected(dc, pen.Get());
    const int x = (key.left + key.right) / 2 + offset;
    ::MoveToEx(dc, x, (key.top + key.bottom) / 2, nullptr);
    ::LineTo(dc, x, barY(mark));
  };
  for (const Key& key : keys) {
    if (!key.label || key.mark == 0) continue;
    const RECT r = keyRect(key);
    link(r, key.mark, 0);
    // The right Ctrl key serves the screen-saver hot key too.
    if (key.mark == kBlue && key.y > 5) link(r, kGreen, static_cast<int>(unit / 4));
  }
  for (const Key& key : keys) {
    if (!key.label) continue;
    const RECT r = keyRect(key);
    UniqueGdiObject markedEdge;
    HGDIOBJ edge = keyEdge.Get();
    if (key.mark) {
      markedEdge.Reset(::CreatePen(PS_SOLID, std::max(2, static_cast<int>(unit / 10)),
                                   kBars[key.mark - 1].colour));
      edge = markedEdge.Get();
    }
    {
      Selected brush(dc, keyFace.Get());
      Selected pen(dc, edge);
      const int round = static_cast<int>(unit / 5);
      ::RoundRect(dc, r.left, r.top, r.right, r.bottom, round, round);
    }
    Selected font(dc, keyFont.Get());
    ::SetTextColor(dc, key.mark ? kBars[key.mark - 1].colour : RGB(40, 40, 40));
    DrawText(dc, key.label, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  for (int mark = 1; mark <= 3; ++mark) {
    const HotKeyBar& bar = kBars[mark - 1];
    const int y = barY(mark) - barHeight / 2;
    RECT strip{left, y, left + static_cast<int>(unit * kKeyboardUnitsWide), y + barHeight};
    UniqueGdiObject brush(::CreateSolidBrush(bar.colour));
    ::FillRect(dc, &strip, static_cast<HBRUSH>(brush.Get()));
    RECT label{strip.left, strip.bottom, strip.right, strip.bottom + barSpacing - barHeight};
    Selected font(dc, barFont.Get());
    ::SetTextColor(dc, bar.colour);
    DrawText(dc, bar.text, label, DT_LEFT | DT_TOP | DT_SINGLELINE);
  }
}

UniqueGdiObject MakeMouseBitmap(int width, int height) {
  HDC screen = ::GetDC(nullptr);
  UniqueGdiObject bitmap(::CreateCompatibleBitmap(screen, width, height));
  MemoryDc memory(screen);
  ::ReleaseDC(nullptr, screen);
  HDC dc = memory.Get();
  {
    Selected target(dc, bitmap.Get());
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    UniqueGdiObject body(::CreateSolidBrush(RGB(250, 250, 250)));
    UniqueGdiObject outline(::CreatePen(PS_SOLID, 1, RGB(40, 40, 40)));
    Selected brush(dc, body.Get());
    Selected pen(dc, outline.Get());
    const int w = height * 5 / 8;
    const int x = (width - w) / 2;
    const int y = height / 8;
    const int h = height * 6 / 8;
    ::RoundRect(dc, x, y, x + w, y + h, w, w * 3 / 4);
    ::MoveToEx(dc, x, y + h * 2 / 5, nullptr);
    ::LineTo(dc, x + w, y + h * 2 / 5);
    ::MoveToEx(dc, x + w / 2, y, nullptr);
    ::LineTo(dc, x + w / 2, y + h * 2 / 5);
  }
  return bitmap;
}

}  // namespace dpx::win32
