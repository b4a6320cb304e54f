#include "skin_object.h"

#include "shell.h"

HINSTANCE skin_instance = nullptr;

const char SKIN_BUTTON_CLASS[] = "TonkleSkinButton";
const char SKIN_PANEL_CLASS[] = "TonkleSkinPanel";
const char SKIN_CAPTION_CLASS[] = "TonkleSkinCaption";

namespace {

int skin_register_class(const char* name, WNDPROC procedure) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = procedure;
  window_class.cbWndExtra = sizeof(SkinObject*);
  window_class.hInstance = skin_instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  // No class brush: every object paints its whole client area itself.
  window_class.lpszClassName = name;
  return RegisterClassA(&window_class) != 0 ? 1 : 0;
}

int skin_classes_ready() {
  static int registered = 0;
  if (!registered) {
    int ok = skin_register_class(SKIN_BUTTON_CLASS, skin_button_proc);
    ok &= skin_register_class(SKIN_PANEL_CLASS, skin_panel_proc);
    ok &= skin_register_class(SKIN_CAPTION_CLASS, skin_caption_proc);
    registered = ok;
  }
  return registered;
}

const char* skin_class_for_kind(int kind) {
  switch (kind) {
    case SHELL_BITMAP_BUTTON:
    case SHELL_TEXT_BUTTON:
      return SKIN_BUTTON_CLASS;
    case SHELL_PANEL:
      return SKIN_PANEL_CLASS;
    case SHELL_CAPTION:
      return SKIN_CAPTION_CLASS;
    default:
      return nullptr;
  }
}

// The bitmap's size, and its top-left pixel's colour, which the generated button images use
// for their background.
void skin_object_measure_bitmap(SkinObject* object) {
  object->bitmap_key = CLR_INVALID;
  BITMAP info = {};
  if (object->bitmap == nullptr || GetObjectA(object->bitmap, sizeof info, &info) == 0) {
    object->bitmap = nullptr;
    return;
  }
  object->bitmap_width_px = info.bmWidth;
  object->bitmap_height_px = info.bmHeight;
  HDC memory_dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory_dc, object->bitmap);
  if (previous != nullptr && previous != HGDI_ERROR) {
    object->bitmap_key = GetPixel(memory_dc, 0, 0);
    SelectObject(memory_dc, previous);
  }
  DeleteDC(memory_dc);
}

void skin_object_place(HWND host, HWND window, int id) {
  RECT place = {};
  LRESULT placed = SendMessageA(host, SHELLM_GETRECT, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(&place));
  if (placed == 0) {
    return;
  }
  SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace

SkinObject* skin_object_get(HWND window) {
  return reinterpret_cast<SkinObject*>(GetWindowLongPtrA(window, 0));
}

LRESULT skin_object_on_nccreate(HWND window, WPARAM wparam, LPARAM create_struct) {
  const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(create_struct);
  const SkinObject* model = static_cast<const SkinObject*>(creation->lpCreateParams);
  if (model == nullptr) {
    return FALSE;
  }
  // The window owns its record from here on; WM_NCDESTROY frees it.
  SkinObject* object = new SkinObject(*model);
  SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(object));
  return DefWindowProcA(window, WM_NCCREATE, wparam, create_struct);
}

LRESULT skin_object_on_ncdestroy(HWND window) {
  SkinObject* object = skin_object_get(window);
  SetWindowLongPtrA(window, 0, 0);
  delete object;
  return 0;
}

extern "C" int shell_create_object(HWND host, int id, int kind, const char* text, HBITMAP bitmap) {
  const char* class_name = skin_class_for_kind(kind);
  if (class_name == nullptr || !IsWindow(host) || GetDlgItem(host, id) != nullptr) {
    return 0;
  }
  if (!skin_classes_ready()) {
    return 0;
  }
  SkinObject model = {};
  model.id = id;
  model.kind = kind;
  model.bitmap = kind == SHELL_BITMAP_BUTTON ? bitmap : nullptr;
  skin_object_measure_bitmap(&model);
  // The window keeps its own copy of the text; the caller's buffer may be gone afterwards.
  HWND window = CreateWindowExA(0, class_name, text != nullptr ? text : "", WS_CHILD, 0, 0, 0, 0, host,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), skin_instance, &model);
  if (window == nullptr) {
    return 0;
  }
  skin_object_place(host, window, id);
  return 1;
}

LRESULT skin_object_on_set_text(HWND window, WPARAM wparam, LPARAM lparam) {
  LRESULT result = DefWindowProcA(window, WM_SETTEXT, wparam, lparam);
  InvalidateRect(window, nullptr, FALSE);
  return result;
}
