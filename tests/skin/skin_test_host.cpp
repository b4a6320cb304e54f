#include "skin_test_host.h"

namespace {

const char HOST_CLASS[] = "TonkleSkinTestHost";

HostLog* host_log(HWND window) { return reinterpret_cast<HostLog*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

LRESULT host_on_create(HWND window, LPARAM lparam) {
  const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(lparam);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  return 0;
}

LRESULT host_on_get_rect(HWND window, WPARAM wparam, LPARAM lparam) {
  HostLog* log = host_log(window);
  for (const HostPlace& place : log->places) {
    if (place.id == LOWORD(wparam)) {
      *reinterpret_cast<RECT*>(lparam) = place.rect;
      return 1;
    }
  }
  return 0;
}

LRESULT host_on_draw(HWND window, WPARAM wparam, LPARAM lparam) {
  const ShellDrawRecord* record = reinterpret_cast<const ShellDrawRecord*>(lparam);
  HostDrawRequest request = {};
  request.id = LOWORD(wparam);
  request.dc = record->dc;
  request.rect = record->rect;
  request.dc_window = WindowFromDC(record->dc);
  request.center_pixel = GetPixel(record->dc, (record->rect.left + record->rect.right) / 2,
                                  (record->rect.top + record->rect.bottom) / 2);
  POINT probe = host_log(window)->probe_in_host;
  MapWindowPoints(window, request.dc_window, &probe, 1);
  request.probe_visible = PtVisible(record->dc, probe.x, probe.y) ? 1 : 0;
  host_log(window)->draws.push_back(request);
  return 1;
}

LRESULT host_on_command(HWND window, WPARAM wparam, LPARAM lparam) {
  HostLog* log = host_log(window);
  log->commands.push_back(HostCommand{wparam, lparam});
  if (log->destroy_on_command) {
    DestroyWindow(window);
  }
  return 0;
}

LRESULT host_on_paint(HWND window) {
  PAINTSTRUCT paint = {};
  HDC dc = BeginPaint(window, &paint);
  shell_show_background(dc, window);
  EndPaint(window, &paint);
  return 0;
}

LRESULT CALLBACK host_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: return host_on_create(window, lparam);
    case WM_NCHITTEST: return HTCAPTION;
    case WM_PAINT: return host_on_paint(window);
    case WM_COMMAND: return host_on_command(window, wparam, lparam);
    case SHELLM_GETRECT: return host_on_get_rect(window, wparam, lparam);
    case SHELLM_DRAW: return host_on_draw(window, wparam, lparam);
    default: return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

std::vector<HostPlace> host_main_window_places() {
  return {
      {1, {375, 10, 390, 25}},   {2, {10, 10, 375, 25}},   {3, {360, 260, 390, 290}},
      {4, {55, 260, 100, 290}},  {5, {10, 205, 390, 250}}, {7, {10, 260, 55, 290}},
      {8, {10, 35, 390, 195}},   {9, {330, 260, 360, 290}},
  };
}

HWND host_create(HostLog* log) {
  static ATOM registered = 0;
  if (registered == 0) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = host_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = HOST_CLASS;
    registered = RegisterClassA(&window_class);
  }
  HWND host = CreateWindowExA(0, HOST_CLASS, "skin test host", WS_POPUP | WS_VISIBLE, 40, 40, 400, 300, nullptr,
                              nullptr, GetModuleHandleA(nullptr), log);
  host_pump_messages();
  return host;
}

void host_pump_messages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

RECT host_child_rect(HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}
