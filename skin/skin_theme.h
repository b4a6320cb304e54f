// The skin's palette and fonts, shared by every object of the library.
#ifndef TONKLE_SKIN_THEME_H
#define TONKLE_SKIN_THEME_H

#include <windows.h>

// One look of a button face: a vertical gradient framed by a border, and the colour of what is
// drawn on it.
struct SkinFaceColors {
  COLORREF top;
  COLORREF bottom;
  COLORREF border;
  COLORREF ink;
};

struct SkinPalette {
  COLORREF background_top;
  COLORREF background_bottom;
  COLORREF window_border;
  COLORREF window_highlight;
  COLORREF panel_back;
  COLORREF panel_text;
  COLORREF panel_border;
  COLORREF panel_shade;
  COLORREF caption_text;
  SkinFaceColors button_normal;
  SkinFaceColors button_hot;
  SkinFaceColors button_pressed;
  SkinFaceColors close_normal;
  SkinFaceColors close_hot;
  SkinFaceColors close_pressed;
};

const SkinPalette* skin_palette();

// Fonts are made on first use and kept until the library is unloaded, so painting never
// creates GDI objects of its own.
HFONT skin_text_font();
HFONT skin_caption_font();
void skin_theme_release();

// The background's colour at a height of the host's client area; children paint the same
// gradient behind their own transparent parts.
COLORREF skin_background_color_at(int y_px, int host_height_px);

// Fills rect of dc with a vertical gradient from top to bottom (no GDI objects created).
void skin_fill_gradient(HDC dc, const RECT* rect, COLORREF top, COLORREF bottom);

// Fills rect of dc with one colour through the device-context brush (no GDI objects created).
void skin_fill_solid(HDC dc, const RECT* rect, COLORREF color);

// Draws a one-pixel frame just inside rect.
void skin_frame_rect(HDC dc, const RECT* rect, COLORREF color);

#endif
