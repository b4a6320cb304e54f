#include "skin_background.h"

#include "shell.h"
#include "skin_theme.h"

void skin_background_fill_under(HDC dc, HWND child) {
  HWND host = GetParent(child);
  RECT host_client = {};
  GetClientRect(host, &host_client);
  RECT client = {};
  GetClientRect(child, &client);
  POINT origin_in_host = {0, 0};
  MapWindowPoints(child, host, &origin_in_host, 1);
  int host_height_px = host_client.bottom - host_client.top;
  COLORREF top = skin_background_color_at(origin_in_host.y, host_height_px);
  COLORREF bottom = skin_background_color_at(origin_in_host.y + client.bottom, host_height_px);
  skin_fill_gradient(dc, &client, top, bottom);
}

extern "C" int shell_show_background(HDC dc, HWND host) {
  if (dc == nullptr || !IsWindow(host)) {
    return 0;
  }
  const SkinPalette* palette = skin_palette();
  RECT client = {};
  GetClientRect(host, &client);
  skin_fill_gradient(dc, &client, palette->background_top, palette->background_bottom);
  // A light line inside the dark border gives the edge a slight bevel.
  RECT highlight = client;
  InflateRect(&highlight, -1, -1);
  skin_frame_rect(dc, &highlight, palette->window_highlight);
  skin_frame_rect(dc, &client, palette->window_border);
  return 1;
}
