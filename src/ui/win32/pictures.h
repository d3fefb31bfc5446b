#pragma once

#include <windows.h>

#include <string>

#include "ui/win32/ui_handles.h"

// DPX's pictures, drawn with GDI so that they scale with the window and need no image files.
namespace dpx::win32 {

// The header strip: a blue gradient with the product name.
void DrawBanner(HDC dc, const RECT& area);
// The caption bar above a list: a gradient panel with its text.
void DrawCaptionBar(HDC dc, const RECT& area, const std::wstring& text);
// The About page's logo: a shield with a closed window on it.
void DrawLogo(HDC dc, const RECT& area);
// A keyboard with the keys of the three default hot keys marked and linked to coloured bars.
void DrawKeyboard(HDC dc, const RECT& area);
// The mouse glyph of the hot-corner buttons, on the button face colour.
UniqueGdiObject MakeMouseBitmap(int width, int height);

}  // namespace dpx::win32
