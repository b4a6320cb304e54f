#define SHELL_BUILDING_DLL
#include "fake_shell.h"

#include "shell.h"

FakeShell fake_shell;

void fake_shell_clear()
{
    fake_shell = FakeShell{};
}

static LRESULT CALLBACK fake_panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCHITTEST)
        return HTTRANSPARENT;
    if (message != WM_PAINT)
        return DefWindowProcA(panel, message, wparam, lparam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(panel, &paint);
    ShellDrawRecord record;
    record.dc = dc;
    GetClientRect(panel, &record.rect);
    fake_shell.draw_requests++;
    fake_shell.last_draw_result = static_cast<int>(SendMessageA(
        GetParent(panel), SHELLM_DRAW, static_cast<WPARAM>(GetDlgCtrlID(panel)), reinterpret_cast<LPARAM>(&record)));
    EndPaint(panel, &paint);
    return 0;
}

static const char* fake_panel_class()
{
    static ATOM registered = 0;
    if (registered == 0) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = fake_panel_proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FakeShellObject";
        registered = RegisterClassA(&wc);
    }
    return "FakeShellObject";
}

extern "C" int shell_create_object(HWND host, int id, int kind, const char* text, HBITMAP bitmap)
{
    ShellObjectCall call{id, kind, text != nullptr ? text : "", bitmap, 0, {}};
    call.placed = static_cast<int>(
        SendMessageA(host, SHELLM_GETRECT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&call.rect)));
    CreateWindowExA(0, fake_panel_class(), "", WS_CHILD | (call.placed ? WS_VISIBLE : 0), call.rect.left,
                    call.rect.top, call.rect.right - call.rect.left, call.rect.bottom - call.rect.top, host,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    fake_shell.objects.push_back(call);
    return 1;
}

extern "C" int shell_show_background(HDC, HWND)
{
    fake_shell.background_paints++;
    return 1;
}

extern "C" int shell_show_text(HDC, const char* text, const RECT* rect, int)
{
    fake_shell.shown_texts.push_back(text);
    fake_shell.shown_text_rects.push_back(*rect);
    return 1;
}

extern "C" COLORREF shell_get_color(int color_id)
{
    return color_id == SHELL_COLOR_TEXT ? RGB(0x10, 0x20, 0x30) : RGB(0xF0, 0xE0, 0xD0);
}
