#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The pointer's cursor as the X server shows it, so a test sees what the user sees while dragging.
namespace dpx::e2e {

struct CursorImage {
  int width = 0;
  int height = 0;
  int hotX = 0;
  int hotY = 0;
  std::string name;                   // the cursor theme's name, when it has one
  std::vector<std::uint32_t> pixels;  // ARGB, row by row

  bool operator==(const CursorImage&) const = default;
};

// The current cursor on the session's display; empty when the display cannot be opened.
CursorImage CurrentCursor();
// Writes the image as a PNG for a person to look at (transparent parts grey).
void SaveCursor(const CursorImage& cursor, const std::string& pngPath);

}  // namespace dpx::e2e
