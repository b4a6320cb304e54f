// The caption: the host's title on the host's own background, with a light emboss.
#include "shell.h"
#include "skin_background.h"
#include "skin_object.h"
#include "skin_theme.h"

namespace {

LRESULT skin_caption_on_paint(HWND window) {
  PAINTSTRUCT paint = {};
  HDC dc = BeginPaint(window, &paint);
  RECT client = {};
  GetClientRect(window, &client);
  skin_background_fill_under(dc, window);
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  HGDIOBJ previous_font = SelectObject(dc, skin_caption_font());
  int previous_mode = SetBkMode(dc, TRANSPARENT);
  UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  RECT emboss = client;
  OffsetRect(&emboss, 0, 1);
  COLORREF previous_color = SetTextColor(dc, skin_palette()->window_highlight);
  DrawTextA(dc, text, -1, &emboss, format);
  SetTextColor(dc, skin_palette()->caption_text);
  DrawTextA(dc, text, -1, &client, format);
  SetTextColor(dc, previous_color);
  SetBkMode(dc, previous_mode);
  SelectObject(dc, previous_font);
  EndPaint(window, &paint);
  return 0;
}

}  // namespace

LRESULT CALLBACK skin_caption_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE: return skin_object_on_nccreate(window, wparam, lparam);
    case WM_NCDESTROY: return skin_object_on_ncdestroy(window);
    // Drags on the caption move the host window.
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return skin_caption_on_paint(window);
    case WM_SETTEXT: return skin_object_on_set_text(window, wparam, lparam);
    default: return DefWindowProcA(window, message, wparam, lparam);
  }
}
