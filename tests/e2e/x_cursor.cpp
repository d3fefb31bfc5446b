#include "x_cursor.h"

#include <X11/Xlib.h>
// After Xlib.h, which it needs.
#include <X11/extensions/Xfixes.h>

#include <fstream>
#include <memory>

#include "harness.h"

namespace dpx::e2e {

CursorImage CurrentCursor() {
  const std::unique_ptr<Display, int (*)(Display*)> display(
      XOpenDisplay(CurrentSession().display.c_str()), XCloseDisplay);
  if (!display) return {};
  const std::unique_ptr<XFixesCursorImage, int (*)(void*)> image(
      XFixesGetCursorImage(display.get()), XFree);
  if (!image) return {};
  CursorImage cursor{
      image->width, image->height, image->xhot, image->yhot, image->name ? image->name : "", {}};
  // Xlib hands the 32-bit pixels over in longs.
  for (int i = 0; i < image->width * image->height; ++i)
    cursor.pixels.push_back(static_cast<std::uint32_t>(image->pixels[i]));
  return cursor;
}

void SaveCursor(const CursorImage& cursor, const std::string& pngPath) {
  const std::string ppm = pngPath + ".ppm";
  {
    std::ofstream out(ppm, std::ios::binary);
    out << "P6\n" << cursor.width << ' ' << cursor.height << "\n255\n";
    for (std::uint32_t pixel : cursor.pixels) {
      const bool opaque = (pixel >> 24) != 0;
      const char rgb[3] = {static_cast<char>(opaque ? pixel >> 16 : 0x80),
                           static_cast<char>(opaque ? pixel >> 8 : 0x80),
                           static_cast<char>(opaque ? pixel : 0x80)};
      out.write(rgb, 3);
    }
  }
  Run("convert '" + ppm + "' -scale 400% '" + pngPath + "' && rm -f '" + ppm + "'");
}

}  // namespace dpx::e2e
