#include "fakes/fake_text_services.h"

namespace dpx::fakes {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 where the byte is undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int ByteFor(wchar_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] != 0 && static_cast<wchar_t>(kHighControls[i]) == c) return 0x80 + i;
  // The five undefined bytes stand for the control characters of their own value both ways.
  if (c >= 0x80 && c < 0xA0 && kHighControls[c - 0x80] == 0) return static_cast<int>(c);
  return -1;
}

wchar_t Upper(wchar_t c) {
  if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  return c;
}

// The Latin-1 letter without its accent (0xC0 to 0xFF in order; '-' for the two signs there).
wchar_t Unaccented(wchar_t c) {
  constexpr wchar_t kBases[] = L"AAAAAAACEEEEIIIIDNOOOOO-OUUUUYTsaaaaaaaceeeeiiiidnooooo-ouuuuyty";
  if (c < 0xC0 || c > 0xFF || kBases[c - 0xC0] == L'-') return c;
  return kBases[c - 0xC0];
}

std::wstring Unaccented(const std::wstring& text) {
  std::wstring out = text;
  for (wchar_t& c : out) c = Unaccented(c);
  return out;
}

}  // namespace

std::string FakeTextServices::ToAnsi(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) {
    const int byte = ByteFor(c);
    out += static_cast<char>(byte < 0 ? '?' : byte);
  }
  return out;
}

std::wstring FakeTextServices::FromAnsi(const std::string& bytes) {
  std::wstring out;
  for (char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    if (byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80] != 0)
      out += static_cast<wchar_t>(kHighControls[byte - 0x80]);
    else
      out += static_cast<wchar_t>(byte);
  }
  return out;
}

int FakeTextServices::Compare(const std::wstring& a, const std::wstring& b) {
  const std::wstring letters[] = {ToUpper(Unaccented(a)), ToUpper(Unaccented(b))};
  if (letters[0] != letters[1]) return letters[0] < letters[1] ? -1 : 1;
  const std::wstring ua = ToUpper(a);
  const std::wstring ub = ToUpper(b);
  if (ua != ub) return ua < ub ? -1 : 1;
  if (a == b) return 0;
  return a > b ? -1 : 1;  // lower case (larger code) first
}

std::wstring FakeTextServices::ToUpper(const std::wstring& text) {
  std::wstring out = text;
  for (wchar_t& c : out) c = Upper(c);
  return out;
}

}  // namespace dpx::fakes
