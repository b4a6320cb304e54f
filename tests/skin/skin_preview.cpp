// A host window laid out like the program's main window, with the program's own pictures, a
// list inside the list frame and a status text, to look at the skin as a whole.
//   skin_preview [seconds]   closes itself after the given time; without it, stays until closed
#include <windows.h>
#include <commctrl.h>
#include <stdlib.h>

#include "ids.h"
#include "shell.h"

namespace {

const char PREVIEW_CLASS[] = "TonkleSkinPreview";
// "トンクル♪プレーヤー" and "名称未定\n2 Track 停止中" in code page 932.
const char PREVIEW_TITLE[] = "\x83\x67\x83\x93\x83\x4E\x83\x8B\x81\xF4\x83\x76\x83\x8C\x81\x5B\x83\x84\x81\x5B";
const char PREVIEW_STATUS[] = "\x96\xBC\x8F\xCC\x96\xA2\x92\xE8\n2 Track \x92\xE2\x8E\x7E\x92\x86";
const UINT_PTR CLOSE_TIMER = 1;

struct PreviewPlace {
  int id;
  RECT rect;
};

const PreviewPlace PREVIEW_PLACES[] = {
    {ID_CLOSE, {375, 10, 390, 25}},  {ID_CAPTION, {10, 10, 375, 25}},  {ID_SETTINGS, {360, 260, 390, 290}},
    {ID_PLAY, {55, 260, 100, 290}},  {ID_STATUS, {10, 205, 390, 250}}, {ID_STOP, {10, 260, 55, 290}},
    {ID_LISTFRAME, {10, 35, 390, 195}}, {ID_OPEN, {330, 260, 360, 290}},
};

void preview_fill_list(HWND window) {
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 12, 37, 376,
                              156, window, reinterpret_cast<HMENU>(ID_TRACKLIST), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(list, LVM_SETBKCOLOR, 0, shell_get_color(SHELL_COLOR_BACK));
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, shell_get_color(SHELL_COLOR_BACK));
  SendMessageA(list, LVM_SETTEXTCOLOR, 0, shell_get_color(SHELL_COLOR_TEXT));
  // "トラック", "長さ", "音" in code page 932.
  const char* headers[] = {"\x83\x67\x83\x89\x83\x62\x83\x4E", "\x92\xB7\x82\xB3", "\x89\xB9"};
  const int widths_px[] = {120, 120, 120};
  for (int column = 0; column < 3; ++column) {
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.pszText = const_cast<char*>(headers[column]);
    info.cx = widths_px[column];
    SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
  }
  const char* rows[][3] = {{"0", "120", "C4"}, {"1", "1532", "E5"}, {"2", "2210", "G3"}, {"3", "844", "-"}};
  for (int row = 0; row < 4; ++row) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(rows[row][0]);
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < 3; ++column) {
      item.iSubItem = column;
      item.pszText = const_cast<char*>(rows[row][column]);
      SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
  }
}

LRESULT preview_on_create(HWND window) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  shell_create_object(window, ID_CAPTION, SHELL_CAPTION, title, nullptr);
  shell_create_object(window, ID_CLOSE, SHELL_TEXT_BUTTON, "\x81\x7E", nullptr);
  shell_create_object(window, ID_STATUS, SHELL_PANEL, "", nullptr);
  shell_create_object(window, ID_SETTINGS, SHELL_BITMAP_BUTTON, "", LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_SETTINGS)));
  shell_create_object(window, ID_OPEN, SHELL_BITMAP_BUTTON, "", LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_OPEN)));
  shell_create_object(window, ID_PLAY, SHELL_BITMAP_BUTTON, "", LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_PLAY)));
  shell_create_object(window, ID_STOP, SHELL_BITMAP_BUTTON, "", LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_STOP)));
  shell_create_object(window, ID_LISTFRAME, SHELL_PANEL, "", nullptr);
  preview_fill_list(window);
  return 0;
}

LRESULT preview_on_get_rect(WPARAM wparam, LPARAM lparam) {
  for (const PreviewPlace& place : PREVIEW_PLACES) {
    if (place.id == LOWORD(wparam)) {
      *reinterpret_cast<RECT*>(lparam) = place.rect;
      return 1;
    }
  }
  return 0;
}

LRESULT preview_on_draw(WPARAM wparam, LPARAM lparam) {
  if (LOWORD(wparam) != ID_STATUS) {
    return 0;
  }
  const ShellDrawRecord* record = reinterpret_cast<const ShellDrawRecord*>(lparam);
  RECT text_rect = record->rect;
  InflateRect(&text_rect, -10, -10);
  shell_show_text(record->dc, PREVIEW_STATUS, &text_rect, SHELL_TEXT_MIDDLE);
  return 1;
}

LRESULT preview_on_paint(HWND window) {
  PAINTSTRUCT paint = {};
  HDC dc = BeginPaint(window, &paint);
  shell_show_background(dc, window);
  EndPaint(window, &paint);
  return 0;
}

LRESULT preview_on_destroy() {
  PostQuitMessage(0);
  return 0;
}

LRESULT preview_on_timer(HWND window) {
  DestroyWindow(window);
  return 0;
}

LRESULT preview_on_command(HWND window, WPARAM wparam) {
  if (LOWORD(wparam) == ID_CLOSE) {
    DestroyWindow(window);
  }
  return 0;
}

LRESULT CALLBACK preview_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: return preview_on_create(window);
    case WM_DESTROY: return preview_on_destroy();
    case WM_PAINT: return preview_on_paint(window);
    case WM_NCHITTEST: return HTCAPTION;
    case WM_COMMAND: return preview_on_command(window, wparam);
    case WM_TIMER: return preview_on_timer(window);
    case SHELLM_GETRECT: return preview_on_get_rect(wparam, lparam);
    case SHELLM_DRAW: return preview_on_draw(wparam, lparam);
    default: return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSA window_class = {};
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = preview_proc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = PREVIEW_CLASS;
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, PREVIEW_CLASS, PREVIEW_TITLE, WS_POPUP | WS_SYSMENU, 40, 40, 400, 300, nullptr,
                                nullptr, instance, nullptr);
  if (window == nullptr) {
    return 1;
  }
  int seconds = atoi(command_line);
  if (seconds > 0) {
    SetTimer(window, CLOSE_TIMER, static_cast<UINT>(seconds) * 1000, nullptr);
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
