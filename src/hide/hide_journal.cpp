#include "hide/hide_journal.h"

#include <charconv>
#include <limits>

#include "common/hex_text.h"
#include "common/utf8.h"

namespace dpx {
namespace {

constexpr std::string_view kHeader = "DPX hide journal ";
constexpr std::string_view kEnd = "end";
// Bounds a damaged file cannot push the reader past.
constexpr std::size_t kMaxWindows = 100000;
constexpr std::size_t kMaxRecordBytes = 4096;
constexpr std::size_t kMaxPathBytes = 4 * 32768;

// Paths go on one line: the escape character, line breaks and other control characters are
// written as %XX.
std::string EscapePath(const std::wstring& path) {
  std::string out;
  for (const char c : ToUtf8(path)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%') {
      out += '%' + HexText<char>({byte});
    } else {
      out += c;
    }
  }
  return out;
}

std::string Hex(std::uint64_t value) {
  std::string out = "0x";
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
  out.append(digits, result.ptr);
  return out;
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  return bytes.empty() ? "-" : HexText<char>(bytes);
}

// Splits off the text up to the next blank; the rest keeps what follows the blank.
std::string_view NextField(std::string_view& rest) {
  const std::size_t blank = rest.find(' ');
  const std::string_view field = rest.substr(0, blank);
  rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
  return field;
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text, int base) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  Number value{};
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

template <typename Number>
std::optional<Number> ParseHex(std::string_view text) {
  if (!text.starts_with("0x") || text.size() == 2) return std::nullopt;
  return ParseNumber<Number>(text.substr(2), 16);
}

std::optional<bool> ParseFlag(std::string_view text) {
  if (text == "0") return false;
  if (text == "1") return true;
  return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text) {
  if (text == "-") return std::vector<std::uint8_t>();
  if (text.empty() || text.size() / 2 > kMaxRecordBytes) return std::nullopt;
  return ParseHexText(text);
}

std::optional<std::wstring> UnescapePath(std::string_view text) {
  if (text.size() > kMaxPathBytes) return std::nullopt;
  std::string utf8;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7F) return std::nullopt;  // the writer escapes these
    if (text[i] != '%') {
      utf8 += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const auto escaped = ParseHexText(text.substr(i + 1, 2));
    if (!escaped) return std::nullopt;
    utf8 += static_cast<char>(escaped->front());
    i += 2;
  }
  return FromUtf8(utf8);
}

// Reads the file line by line; every line, the last one too, ends with a line feed.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : rest_(bytes) {}

  std::optional<std::string_view> Next() {
    const std::size_t end = rest_.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = rest_.substr(0, end);
    rest_ = rest_.substr(end + 1);
    return line;
  }
  bool AtEnd() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

// The line's keyword, with `rest` set to what follows it.
bool HasKeyword(std::string_view line, std::string_view keyword, std::string_view& rest) {
  if (!line.starts_with(keyword) || line.size() <= keyword.size() || line[keyword.size()] != ' ')
    return false;
  rest = line.substr(keyword.size() + 1);
  return true;
}

std::optional<JournalWindow> ParseWindow(std::string_view rest) {
  const auto handle = ParseHex<std::uint64_t>(NextField(rest));
  const auto exStyle = ParseHex<std::uint32_t>(NextField(rest));
  if (!handle || *handle == kNoWindow || !exStyle) return std::nullopt;
  auto exePath = UnescapePath(rest);
  if (!exePath) return std::nullopt;
  return JournalWindow{*handle, *exStyle, std::move(*exePath)};
}

std::optional<HiddenSurfaces> ParseSurfaces(std::string_view rest) {
  const auto icons = ParseFlag(NextField(rest));
  const auto taskbar = ParseFlag(NextField(rest));
  const auto tray = ParseFlag(NextField(rest));
  if (!icons || !taskbar || !tray || !rest.empty()) return std::nullopt;
  return HiddenSurfaces{*icons, *taskbar, *tray};
}

std::optional<VolumeState> ParseVolume(std::string_view rest) {
  const auto volume = ParseNumber<VolumeValue>(NextField(rest), 10);
  const auto muted = ParseFlag(NextField(rest));
  if (!volume || !muted || !rest.empty()) return std::nullopt;
  return VolumeState{*volume, *muted};
}

std::optional<DisplaySettings> ParseDisplay(std::string_view rest) {
  const auto width = ParseNumber<std::uint32_t>(NextField(rest), 10);
  const auto height = ParseNumber<std::uint32_t>(NextField(rest), 10);
  const auto bits = ParseNumber<std::uint32_t>(NextField(rest), 10);
  const auto frequency = ParseNumber<std::uint32_t>(NextField(rest), 10);
  auto record = ParseHexBytes(NextField(rest));
  if (!width || !height || !bits || !frequency || !record || !rest.empty()) return std::nullopt;
  return DisplaySettings{{*width, *height, *bits, *frequency}, std::move(*record)};
}

}  // namespace

std::string FormatHideJournal(const HideJournal& journal) {
  std::string out = std::string(kHeader) + std::to_string(kHideJournalVersion) + "\n";
  for (const JournalWindow& window : journal.windows) {
    out += "window " + Hex(window.handle) + " " + Hex(window.exStyle) + " " +
           EscapePath(window.exePath) + "\n";
  }
  const HiddenSurfaces& surfaces = journal.surfaces;
  out += std::string("surfaces ") + (surfaces.desktopIcons ? "1" : "0") + " " +
         (surfaces.taskbar ? "1" : "0") + " " + (surfaces.trayIcons ? "1" : "0") + "\n";
  if (const auto& volume = journal.savedVolume)
    out += "volume " + std::to_string(volume->volume) + " " + (volume->muted ? "1" : "0") + "\n";
  if (const auto& display = journal.displaySettings) {
    const DisplayMode& mode = display->mode;
    out += "display " + std::to_string(mode.width) + " " + std::to_string(mode.height) + " " +
           std::to_string(mode.bitsPerPel) + " " + std::to_string(mode.frequency) + " " +
           HexBytes(display->record) + "\n";
  }
  if (const auto& path = journal.wallpaperPath) out += "wallpaper " + EscapePath(*path) + "\n";
  out += std::string(kEnd) + "\n";
  return out;
}

std::optional<HideJournal> ParseHideJournal(std::string_view bytes) {
  LineReader lines(bytes);
  const auto header = lines.Next();
  if (!header || *header != std::string(kHeader) + std::to_string(kHideJournalVersion))
    return std::nullopt;

  HideJournal journal;
  std::optional<std::string_view> line = lines.Next();
  std::string_view rest;
  for (; line && HasKeyword(*line, "window", rest); line = lines.Next()) {
    auto window = ParseWindow(rest);
    if (!window || journal.windows.size() == kMaxWindows) return std::nullopt;
    journal.windows.push_back(std::move(*window));
  }
  if (!line || !HasKeyword(*line, "surfaces", rest)) return std::nullopt;
  const auto surfaces = ParseSurfaces(rest);
  if (!surfaces) return std::nullopt;
  journal.surfaces = *surfaces;

  // The side states follow in a fixed order, each at most once.
  line = lines.Next();
  if (line && HasKeyword(*line, "volume", rest)) {
    journal.savedVolume = ParseVolume(rest);
    if (!journal.savedVolume) return std::nullopt;
    line = lines.Next();
  }
  if (line && HasKeyword(*line, "display", rest)) {
    journal.displaySettings = ParseDisplay(rest);
    if (!journal.displaySettings) return std::nullopt;
    line = lines.Next();
  }
  if (line && HasKeyword(*line, "wallpaper", rest)) {
    journal.wallpaperPath = UnescapePath(rest);
    if (!journal.wallpaperPath) return std::nullopt;
    line = lines.Next();
  }
  // The closing line tells a whole file from a cut one.
  if (!line || *line != kEnd || !lines.AtEnd()) return std::nullopt;
  return journal;
}

}  // namespace dpx
