// The skin library shell.dll: it draws the main window's chrome (caption, close button, picture
// buttons, framed panels, background) as child windows of a host window, and asks the host for
// the objects' places and the panels' contents with two request messages.
#ifndef TONKLE_SHELL_H
#define TONKLE_SHELL_H

#include <windows.h>

#if defined(SHELL_BUILDING_DLL)
#define SHELL_API __declspec(dllexport)
#elif defined(SHELL_LINKED_IN)
// Callers that may be linked with another implementation (the host's tests link a recording
// stand-in) declare the functions plainly; the import library still provides them.
#define SHELL_API
#else
#define SHELL_API __declspec(dllimport)
#endif

// Object kinds.
#define SHELL_BITMAP_BUTTON 1 // shows a bitmap, no text
#define SHELL_TEXT_BUTTON 2   // shows its text, such as the close button's cross
#define SHELL_PANEL 4         // a framed panel whose content the host draws on request
#define SHELL_CAPTION 8       // the window title

// Colour ids for shell_get_color.
#define SHELL_COLOR_TEXT 0x104 // text on panels and lists
#define SHELL_COLOR_BACK 0x204 // background of panels and lists

// Bits of the style argument of shell_show_text. Lines are left-aligned unless CENTER or RIGHT
// is given; MIDDLE centres the block of lines vertically, otherwise it starts at the top.
#define SHELL_TEXT_LEFT 0
#define SHELL_TEXT_CENTER 1
#define SHELL_TEXT_RIGHT 2
#define SHELL_TEXT_MIDDLE 4

// Requests sent to the host window.
// SHELLM_GETRECT: wParam low word = object id, lParam = RECT* that the host fills with the
// object's place in client coordinates. The host answers 1 if it placed the object; an object
// the host does not place stays hidden.
#define SHELLM_GETRECT 0x8601
// SHELLM_DRAW: wParam low word = object id, lParam = ShellDrawRecord* holding the panel's device
// context and its client rectangle. Sent on every repaint of a panel, after the panel has drawn
// its frame and background; the host answers 1 if it drew something.
#define SHELLM_DRAW 0x8602

// The record passed with SHELLM_DRAW. The rectangle is four signed 32-bit values, in the
// device context's coordinates.
struct ShellDrawRecord {
  HDC dc;
  RECT rect;
};

#ifdef __cplusplus
extern "C" {
#endif

// Creates an object of the given kind as a child window of host, with control id = id, and
// places it where the host answers to SHELLM_GETRECT. The text (code page 932, may be NULL) is
// copied; the bitmap is used, not owned: it must outlive the button and the library never
// deletes it. Buttons send WM_COMMAND (low word of wParam = id) to the host when clicked.
// Returns 1 if the object was created (also when the host left it hidden), 0 for a bad host,
// an unknown kind or an id that a child of the host already has.
SHELL_API int shell_create_object(HWND host, int id, int kind, const char* text, HBITMAP bitmap);

// Paints the skinned background over the host's whole client area. Returns 1, or 0 for a bad
// device context or host.
SHELL_API int shell_show_background(HDC dc, HWND host);

// Draws text (code page 932, lines split at "\n") inside rect with the skin's font and text
// colour on a transparent background; style is a combination of the SHELL_TEXT_ bits. Lines that
// do not fit the width end in an ellipsis; everything is clipped to the rectangle. The device
// context's font, colours and background mode are restored afterwards. Returns 1, or 0 for
// missing arguments.
SHELL_API int shell_show_text(HDC dc, const char* text, const RECT* rect, int style);

// Returns the colour for a SHELL_COLOR_ id, or CLR_INVALID for an unknown id.
SHELL_API COLORREF shell_get_color(int color_id);

#ifdef __cplusplus
}
#endif

#endif
