#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dpx {

// Bytes as lower-case hexadecimal, two digits each, in narrow or wide text.
template <typename Char>
std::basic_string<Char> HexText(const std::vector<std::uint8_t>& bytes) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::basic_string<Char> text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    text += static_cast<Char>(kDigits[byte >> 4]);
    text += static_cast<Char>(kDigits[byte & 0x0F]);
  }
  return text;
}

// The bytes of two hexadecimal digits (either case) each; nullopt for an odd length or any other
// character.
template <typename Char>
std::optional<std::vector<std::uint8_t>> ParseHexText(std::basic_string_view<Char> text) {
  const auto digit = [](Char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = digit(text[i]);
    const int low = digit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
  return bytes;
}

}  // namespace dpx
