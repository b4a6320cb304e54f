#include "skin_theme.h"

#include "shell.h"

namespace {

// A cool blue-grey look: dark navy text on near-white panels, so the host's list reads like
// the status panel.
const SkinPalette palette = {
    RGB(238, 243, 250),  // background_top
    RGB(202, 214, 232),  // background_bottom
    RGB(84, 104, 138),   // window_border
    RGB(252, 253, 255),  // window_highlight
    RGB(248, 250, 253),  // panel_back
    RGB(30, 42, 64),     // panel_text
    RGB(138, 156, 186),  // panel_border
    RGB(226, 232, 242),  // panel_shade
    RGB(36, 54, 88),     // caption_text
    {RGB(255, 255, 255), RGB(220, 229, 241), RGB(128, 148, 178), RGB(30, 42, 64)},
    {RGB(247, 251, 255), RGB(200, 220, 246), RGB(66, 118, 190), RGB(20, 40, 80)},
    {RGB(190, 207, 231), RGB(221, 231, 244), RGB(56, 96, 160), RGB(20, 40, 80)},
    {RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(70, 86, 116)},  // flat: no face when idle
    {RGB(236, 104, 96), RGB(200, 56, 50), RGB(164, 40, 36), RGB(255, 255, 255)},
    {RGB(176, 44, 40), RGB(208, 70, 62), RGB(140, 30, 28), RGB(255, 255, 255)},
};

HFONT text_font = nullptr;
HFONT caption_font = nullptr;

HFONT skin_make_font(int weight) {
  // A negative height asks for a 12-pixel character (em) height; "MS UI Gothic" is the usual
  // Japanese UI face, and the charset lets the platform substitute another Japanese face.
  return CreateFontA(-12, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, "MS UI Gothic");
}

int skin_lerp_channel(int from, int to, int step, int steps) {
  if (steps <= 0) {
    return from;
  }
  return from + (to - from) * step / steps;
}

COLOR16 skin_color16(int channel) { return static_cast<COLOR16>(channel << 8); }

}  // namespace

const SkinPalette* skin_palette() { return &palette; }

HFONT skin_text_font() {
  if (text_font == nullptr) {
    text_font = skin_make_font(FW_NORMAL);
  }
  return text_font;
}

HFONT skin_caption_font() {
  if (caption_font == nullptr) {
    caption_font = skin_make_font(FW_BOLD);
  }
  return caption_font;
}

void skin_theme_release() {
  if (text_font != nullptr) {
    DeleteObject(text_font);
    text_font = nullptr;
  }
  if (caption_font != nullptr) {
    DeleteObject(caption_font);
    caption_font = nullptr;
  }
}

COLORREF skin_background_color_at(int y_px, int host_height_px) {
  int steps = host_height_px - 1;
  int step = y_px < 0 ? 0 : (y_px > steps ? steps : y_px);
  COLORREF top = palette.background_top;
  COLORREF bottom = palette.background_bottom;
  return RGB(skin_lerp_channel(GetRValue(top), GetRValue(bottom), step, steps),
             skin_lerp_channel(GetGValue(top), GetGValue(bottom), step, steps),
             skin_lerp_channel(GetBValue(top), GetBValue(bottom), step, steps));
}

void skin_fill_gradient(HDC dc, const RECT* rect, COLORREF top, COLORREF bottom) {
  TRIVERTEX vertices[2] = {};
  vertices[0].x = rect->left;
  vertices[0].y = rect->top;
  vertices[0].Red = skin_color16(GetRValue(top));
  vertices[0].Green = skin_color16(GetGValue(top));
  vertices[0].Blue = skin_color16(GetBValue(top));
  vertices[1].x = rect->right;
  vertices[1].y = rect->bottom;
  vertices[1].Red = skin_color16(GetRValue(bottom));
  vertices[1].Green = skin_color16(GetGValue(bottom));
  vertices[1].Blue = skin_color16(GetBValue(bottom));
  GRADIENT_RECT span = {0, 1};
  GradientFill(dc, vertices, 2, &span, 1, GRADIENT_FILL_RECT_V);
}

void skin_fill_solid(HDC dc, const RECT* rect, COLORREF color) {
  COLORREF previous = SetDCBrushColor(dc, color);
  FillRect(dc, rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(dc, previous);
}

void skin_frame_rect(HDC dc, const RECT* rect, COLORREF color) {
  COLORREF previous = SetDCBrushColor(dc, color);
  FrameRect(dc, rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(dc, previous);
}

extern "C" COLORREF shell_get_color(int color_id) {
  if (color_id == SHELL_COLOR_TEXT) {
    return palette.panel_text;
  }
  if (color_id == SHELL_COLOR_BACK) {
    return palette.panel_back;
  }
  return CLR_INVALID;
}
