// Framed panels. The host draws a panel's content on every repaint (SHELLM_DRAW); a host control
// placed inside a panel (such as a list) is left alone, whatever the windows' stacking order.
#include "shell.h"
#include "skin_object.h"
#include "skin_theme.h"

namespace {

// The host's own controls lying over the panel are cut out of the panel's painting.
void skin_panel_exclude_siblings(HDC dc, HWND window) {
  HWND host = GetParent(window);
  RECT panel = {};
  GetWindowRect(window, &panel);
  for (HWND sibling = GetWindow(host, GW_CHILD); sibling != nullptr; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == window || !IsWindowVisible(sibling)) {
      continue;
    }
    RECT sibling_rect = {};
    GetWindowRect(sibling, &sibling_rect);
    RECT overlap = {};
    if (!IntersectRect(&overlap, &panel, &sibling_rect)) {
      continue;
    }
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&overlap), 2);
    ExcludeClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
  }
}

void skin_panel_draw_frame(HDC dc, const RECT* client) {
  const SkinPalette* palette = skin_palette();
  skin_fill_solid(dc, client, palette->panel_back);
  // A slightly darker line under the top edge makes the panel look set into the surface.
  RECT shade = {client->left + 1, client->top + 1, client->right - 1, client->top + 2};
  skin_fill_solid(dc, &shade, palette->panel_shade);
  skin_frame_rect(dc, client, palette->panel_border);
}

LRESULT skin_panel_on_paint(HWND window) {
  SkinObject* object = skin_object_get(window);
  PAINTSTRUCT paint = {};
  HDC dc = BeginPaint(window, &paint);
  skin_panel_exclude_siblings(dc, window);
  ShellDrawRecord record = {};
  record.dc = dc;
  GetClientRect(window, &record.rect);
  skin_panel_draw_frame(dc, &record.rect);
  int saved = SaveDC(dc);
  SendMessageA(GetParent(window), SHELLM_DRAW, MAKEWPARAM(object->id, 0), reinterpret_cast<LPARAM>(&record));
  RestoreDC(dc, saved);
  EndPaint(window, &paint);
  return 0;
}

}  // namespace

LRESULT CALLBACK skin_panel_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE: return skin_object_on_nccreate(window, wparam, lparam);
    case WM_NCDESTROY: return skin_object_on_ncdestroy(window);
    // Drags on a panel move the host window, like drags on its background.
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return skin_panel_on_paint(window);
    default: return DefWindowProcA(window, message, wparam, lparam);
  }
}
