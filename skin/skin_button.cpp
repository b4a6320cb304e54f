// Picture buttons and text buttons: three looks (normal, hot, pressed), their own mouse input,
// and WM_COMMAND to the host on a click (press and release inside the button).
#include <windowsx.h>

#include "shell.h"
#include "skin_background.h"
#include "skin_object.h"
#include "skin_theme.h"

namespace {

constexpr int BUTTON_CORNER_PX = 5;

const SkinFaceColors* skin_button_face(const SkinObject* object) {
  const SkinPalette* palette = skin_palette();
  int shows_pressed = object->pressed && object->pointer_inside;
  int shows_hot = object->hot || object->pressed;
  if (object->kind == SHELL_TEXT_BUTTON) {
    if (shows_pressed) {
      return &palette->close_pressed;
    }
    return shows_hot ? &palette->close_hot : &palette->close_normal;
  }
  if (shows_pressed) {
    return &palette->button_pressed;
  }
  return shows_hot ? &palette->button_hot : &palette->button_normal;
}

void skin_button_draw_face(HDC dc, const RECT* client, const SkinFaceColors* face) {
  RECT inside = *client;
  InflateRect(&inside, -1, -1);
  skin_fill_gradient(dc, &inside, face->top, face->bottom);
  HGDIOBJ previous_pen = SelectObject(dc, GetStockObject(DC_PEN));
  HGDIOBJ previous_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  COLORREF previous_pen_color = SetDCPenColor(dc, face->border);
  RoundRect(dc, client->left, client->top, client->right, client->bottom, BUTTON_CORNER_PX, BUTTON_CORNER_PX);
  SetDCPenColor(dc, previous_pen_color);
  SelectObject(dc, previous_brush);
  SelectObject(dc, previous_pen);
}

void skin_button_draw_bitmap(HDC dc, const RECT* client, const SkinObject* object, int offset_px) {
  int width_px = object->bitmap_width_px;
  int height_px = object->bitmap_height_px;
  int left = (client->right - width_px) / 2 + offset_px;
  int top = (client->bottom - height_px) / 2 + offset_px;
  HDC memory_dc = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory_dc, object->bitmap);
  if (previous != nullptr && previous != HGDI_ERROR) {
    if (object->bitmap_key != CLR_INVALID) {
      TransparentBlt(dc, left, top, width_px, height_px, memory_dc, 0, 0, width_px, height_px, object->bitmap_key);
    } else {
      BitBlt(dc, left, top, width_px, height_px, memory_dc, 0, 0, SRCCOPY);
    }
    SelectObject(memory_dc, previous);
  }
  DeleteDC(memory_dc);
}

void skin_button_draw_text(HDC dc, HWND window, const RECT* client, COLORREF ink, int offset_px) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  RECT text_rect = *client;
  OffsetRect(&text_rect, offset_px, offset_px);
  HGDIOBJ previous_font = SelectObject(dc, skin_caption_font());
  COLORREF previous_color = SetTextColor(dc, ink);
  int previous_mode = SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text, -1, &text_rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetBkMode(dc, previous_mode);
  SetTextColor(dc, previous_color);
  SelectObject(dc, previous_font);
}

LRESULT skin_button_on_paint(HWND window) {
  SkinObject* object = skin_object_get(window);
  PAINTSTRUCT paint = {};
  HDC dc = BeginPaint(window, &paint);
  RECT client = {};
  GetClientRect(window, &client);
  skin_background_fill_under(dc, window);
  const SkinFaceColors* face = skin_button_face(object);
  int idle_close_button = object->kind == SHELL_TEXT_BUTTON && face == &skin_palette()->close_normal;
  if (!idle_close_button) {
    skin_button_draw_face(dc, &client, face);
  }
  // Pressed content moves down and right by a pixel, as if pushed in.
  int offset_px = object->pressed && object->pointer_inside ? 1 : 0;
  if (object->kind == SHELL_BITMAP_BUTTON && object->bitmap != nullptr) {
    skin_button_draw_bitmap(dc, &client, object, offset_px);
  } else if (object->kind == SHELL_TEXT_BUTTON) {
    skin_button_draw_text(dc, window, &client, face->ink, offset_px);
  }
  EndPaint(window, &paint);
  return 0;
}

int skin_button_contains(HWND window, LPARAM point) {
  RECT client = {};
  GetClientRect(window, &client);
  POINT where = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  return PtInRect(&client, where) ? 1 : 0;
}

LRESULT skin_button_on_mouse_move(HWND window, LPARAM point) {
  SkinObject* object = skin_object_get(window);
  int inside = skin_button_contains(window, point);
  int changed = 0;
  if (!object->tracking_leave) {
    TRACKMOUSEEVENT tracking = {sizeof tracking, TME_LEAVE, window, 0};
    object->tracking_leave = TrackMouseEvent(&tracking) ? 1 : 0;
  }
  if (object->hot != inside) {
    object->hot = inside;
    changed = 1;
  }
  if (object->pressed && object->pointer_inside != inside) {
    object->pointer_inside = inside;
    changed = 1;
  }
  if (changed) {
    InvalidateRect(window, nullptr, FALSE);
  }
  return 0;
}

LRESULT skin_button_on_mouse_leave(HWND window) {
  SkinObject* object = skin_object_get(window);
  object->tracking_leave = 0;
  object->hot = 0;
  InvalidateRect(window, nullptr, FALSE);
  return 0;
}

LRESULT skin_button_on_button_down(HWND window, LPARAM point) {
  SkinObject* object = skin_object_get(window);
  SetCapture(window);
  object->pressed = 1;
  object->pointer_inside = skin_button_contains(window, point);
  InvalidateRect(window, nullptr, FALSE);
  return 0;
}

LRESULT skin_button_on_button_up(HWND window, LPARAM point) {
  SkinObject* object = skin_object_get(window);
  int clicked = object->pressed && skin_button_contains(window, point);
  int id = object->id;
  HWND host = GetParent(window);
  object->pressed = 0;
  object->pointer_inside = 0;
  object->hot = skin_button_contains(window, point);
  if (GetCapture() == window) {
    ReleaseCapture();
  }
  InvalidateRect(window, nullptr, FALSE);
  // Last: the command may destroy this button together with its host.
  if (clicked) {
    SendMessageA(host, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window));
  }
  return 0;
}

LRESULT skin_button_on_capture_changed(HWND window, LPARAM new_capture) {
  SkinObject* object = skin_object_get(window);
  // Another window took the mouse: the press is cancelled and no click follows.
  if (reinterpret_cast<HWND>(new_capture) != window && object->pressed) {
    object->pressed = 0;
    object->pointer_inside = 0;
    InvalidateRect(window, nullptr, FALSE);
  }
  return 0;
}

}  // namespace

LRESULT CALLBACK skin_button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE: return skin_object_on_nccreate(window, wparam, lparam);
    case WM_NCDESTROY: return skin_object_on_ncdestroy(window);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return skin_button_on_paint(window);
    case WM_MOUSEMOVE: return skin_button_on_mouse_move(window, lparam);
    case WM_MOUSELEAVE: return skin_button_on_mouse_leave(window);
    case WM_LBUTTONDOWN: return skin_button_on_button_down(window, lparam);
    case WM_LBUTTONUP: return skin_button_on_button_up(window, lparam);
    case WM_CAPTURECHANGED: return skin_button_on_capture_changed(window, lparam);
    case WM_SETTEXT: return skin_object_on_set_text(window, wparam, lparam);
    default: return DefWindowProcA(window, message, wparam, lparam);
  }
}
