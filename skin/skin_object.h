// The record kept for every object the library creates, and what the object modules share.
#ifndef TONKLE_SKIN_OBJECT_H
#define TONKLE_SKIN_OBJECT_H

#include <windows.h>

struct SkinObject {
  int id;
  int kind;
  HBITMAP bitmap;        // not owned: the caller keeps it alive and never sees it deleted here
  int bitmap_width_px;
  int bitmap_height_px;
  COLORREF bitmap_key;   // the bitmap's background colour, drawn transparent; CLR_INVALID: opaque
  int hot;               // the pointer is over the button
  int pressed;           // the button holds the capture after a press
  int pointer_inside;    // while pressed: the pointer is inside the button
  int tracking_leave;    // a WM_MOUSELEAVE has been asked for
};

// The library's module handle, set when the DLL is loaded.
extern HINSTANCE skin_instance;

// Window classes of the objects; registered once, on first use.
extern const char SKIN_BUTTON_CLASS[];
extern const char SKIN_PANEL_CLASS[];
extern const char SKIN_CAPTION_CLASS[];
LRESULT CALLBACK skin_button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK skin_panel_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK skin_caption_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// A model record travels in the creation parameters; WM_NCCREATE copies it into the window
// data (a window without one is refused) and WM_NCDESTROY frees the copy.
SkinObject* skin_object_get(HWND window);
LRESULT skin_object_on_nccreate(HWND window, WPARAM wparam, LPARAM create_struct);
LRESULT skin_object_on_ncdestroy(HWND window);
// Stores the new text and repaints the object, which shows it.
LRESULT skin_object_on_set_text(HWND window, WPARAM wparam, LPARAM lparam);

#endif
