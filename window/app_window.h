// The main window: a borderless 400 x 300 popup whose chrome comes from the skin library, its
// window procedure, the command dispatch and the answers to the skin's two requests.
#pragma once

#include <windows.h>

constexpr int MAIN_WIDTH = 400;
constexpr int MAIN_HEIGHT = 300;

extern const char MAIN_WINDOW_CLASS[];
extern const char MAIN_WINDOW_TITLE[];

// Runs the program: class, platform check, window, message loop. Returns the exit code.
int app_main(HINSTANCE instance);
// The window's rectangle for a full-screen work area of the given size.
RECT app_window_placement(int full_width, int full_height);
int app_register_class(HINSTANCE instance);
HWND app_create_window(HINSTANCE instance);
int app_message_loop();
// Puts back the real platform calls (the start-up state).
void app_use_real_platform();

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
int command_dispatch(HWND window, int id);
int layout_object(HWND window, int id, RECT* rect);
int draw_object_text(HDC dc, int id, const RECT* rect);
// Composes the status panel's text into a buffer of `capacity` bytes.
void status_text_compose(char* out, int capacity);
