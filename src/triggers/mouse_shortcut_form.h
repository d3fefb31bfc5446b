#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace dpx {

// The texts of the "Mouse Shortcut" dialog.
namespace mouse_shortcut_texts {
inline constexpr wchar_t kCaption[] = L"Mouse Shortcut";
inline constexpr wchar_t kCornersGroup[] = L"Screen corners";
inline constexpr wchar_t kHoverLabel[] = L"Hover time milisec.";
inline constexpr wchar_t kZoneLabel[] = L"Zone size (pixels)";
inline constexpr wchar_t kOk[] = L"Ok";
inline constexpr wchar_t kCancel[] = L"Cancel";
}  // namespace mouse_shortcut_texts

// A whole-number spin field. While the user types, the text is kept as typed; it is put in
// range when set and when the field loses the focus. Value() is always in range.
class SpinField {
 public:
  SpinField(int minimum, int maximum, int step) : min_(minimum), max_(maximum), step_(step) {}

  int Minimum() const { return min_; }
  int Maximum() const { return max_; }
  const std::wstring& Text() const { return text_; }
  // The number the text holds, 0 when it holds none, clamped to the range.
  int Value() const;

  void SetValue(long long value);
  void SetText(const std::wstring& text) { text_ = text; }
  void LoseFocus() { SetValue(Value()); }
  void StepUp() { SetValue(static_cast<long long>(Value()) + step_); }
  void StepDown() { SetValue(static_cast<long long>(Value()) - step_); }

 private:
  int min_;
  int max_;
  int step_;
  std::wstring text_ = L"0";
};

// The four corner boxes, 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right: one choice,
// where a click checks its box and unchecks the others.
class CornerChoice {
 public:
  static constexpr int kCorners = 4;

  // Only the box of `corner` checked; none for a corner outside 0 to 3.
  void Load(std::uint8_t corner);
  // A click on a box, checked or not, leaves exactly that box checked.
  void Click(int box);
  bool IsChecked(int box) const { return checked_.at(static_cast<std::size_t>(box)); }
  // The first checked box; nullopt when none is.
  std::optional<std::uint8_t> Chosen() const;

 private:
  std::array<bool, kCorners> checked_{};
};

// What the "Mouse Shortcut" dialog shows and edits; the window binds its controls to it.
struct MouseShortcutForm {
  SpinField hoverInterval{0, 30000, 100};  // "Hover time milisec."
  SpinField zoneSize{0, 200, 1};           // "Zone size (pixels)"
  CornerChoice corners;
};

// The modal "Mouse Shortcut" dialog, owned by the main window and centred on it.
class MouseShortcutDialog {
 public:
  virtual ~MouseShortcutDialog() = default;

  // Shows `form` and lets the user edit it; true when closed with "Ok", false for "Cancel" or
  // any other way of closing.
  virtual bool ShowModal(MouseShortcutForm& form) = 0;
};

}  // namespace dpx
