// The main window's procedure and its handlers: one line per message, one line per command.
#include "app_window.h"

#include <cstdio>
#include <cstring>

#include "app_state.h"
#include "ids.h"
#include "open_command.h"
#include "playback_clock.h"
#include "player_state.h"
#include "settings_sheet.h"
#include "shell.h"
#include "text_fit.h"
#include "track_list.h"

static void main_window_repaint_control(HWND window, int id)
{
    InvalidateRect(GetDlgItem(window, id), nullptr, FALSE);
}

// The tick's note-cell refresh: the list is found as the main window's control 6.
static void main_window_show_note(int track, int32_t status)
{
    HWND window = static_cast<HWND>(player.main_window);
    track_list_show_note(GetDlgItem(window, ID_TRACKLIST), track, status);
}

static HBITMAP main_window_bitmap(int id)
{
    return LoadBitmapA(app.instance, MAKEINTRESOURCEA(id));
}

static LRESULT on_create(HWND window)
{
    player.main_window = window;
    char title[TEXT_SIZE] = {};
    GetWindowTextA(window, title, sizeof title);
    shell_create_object(window, ID_CAPTION, SHELL_CAPTION, title, nullptr);
    shell_create_object(window, ID_CLOSE, SHELL_TEXT_BUTTON, "×", nullptr);
    shell_create_object(window, ID_STATUS, SHELL_PANEL, "", nullptr);
    shell_create_object(window, ID_SETTINGS, SHELL_BITMAP_BUTTON, "", main_window_bitmap(IDB_SETTINGS));
    shell_create_object(window, ID_OPEN, SHELL_BITMAP_BUTTON, "", main_window_bitmap(IDB_OPEN));
    shell_create_object(window, ID_PLAY, SHELL_BITMAP_BUTTON, "", main_window_bitmap(IDB_PLAY));
    shell_create_object(window, ID_STOP, SHELL_BITMAP_BUTTON, "", main_window_bitmap(IDB_STOP));
    shell_create_object(window, ID_LISTFRAME, SHELL_PANEL, "", nullptr);
    track_list_create(window);
    SetTimer(window, TIMER_PLAYER, TIMER_PERIOD_MS, nullptr);
    player_reset();
    return 1;
}

static LRESULT on_destroy(HWND window)
{
    KillTimer(window, TIMER_PLAYER);
    PostQuitMessage(0);
    return 1;
}

static LRESULT on_paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    shell_show_background(dc, window);
    EndPaint(window, &paint);
    return 1;
}

static LRESULT on_timer()
{
    player_tick(main_window_show_note);
    return 1;
}

static LRESULT on_shell_draw(WPARAM wparam, LPARAM lparam)
{
    const ShellDrawRecord* record = reinterpret_cast<const ShellDrawRecord*>(lparam);
    return draw_object_text(record->dc, LOWORD(wparam), &record->rect);
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE: return on_create(window);
    case WM_DESTROY: return on_destroy(window);
    case WM_PAINT: return on_paint(window);
    case WM_NOTIFY: return track_list_notify(reinterpret_cast<const NMHDR*>(lparam));
    case WM_NCHITTEST: return HTCAPTION;
    case WM_COMMAND: return command_dispatch(window, LOWORD(wparam));
    case WM_TIMER: return on_timer();
    case SHELLM_GETRECT: return layout_object(window, LOWORD(wparam), reinterpret_cast<RECT*>(lparam));
    case SHELLM_DRAW: return on_shell_draw(wparam, lparam);
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

static int command_close(HWND window)
{
    DestroyWindow(window);
    return 1;
}

static int command_play(HWND window)
{
    player_play();
    main_window_repaint_control(window, ID_STATUS);
    main_window_repaint_control(window, ID_TRACKLIST);
    return 1;
}

static int command_stop(HWND window)
{
    player_stop();
    main_window_repaint_control(window, ID_STATUS);
    main_window_repaint_control(window, ID_TRACKLIST);
    return 1;
}

int command_dispatch(HWND window, int id)
{
    switch (id) {
    case ID_CLOSE: return command_close(window);
    case ID_SETTINGS: return settings_command(window);
    case ID_PLAY: return command_play(window);
    case ID_STOP: return command_stop(window);
    case ID_OPEN: return open_command(window);
    default: return 0;
    }
}

// Each side of an object is an offset from one edge of the client rectangle.
enum ClientEdge { EDGE_L, EDGE_T, EDGE_R, EDGE_B };
struct EdgeOffset {
    ClientEdge edge;
    int offset;
};
struct ObjectPlace {
    int id;
    EdgeOffset left, top, right, bottom;
};

static const ObjectPlace OBJECT_PLACES[] = {
    {ID_CLOSE, {EDGE_R, -25}, {EDGE_T, 10}, {EDGE_R, -10}, {EDGE_T, 25}},
    {ID_CAPTION, {EDGE_L, 10}, {EDGE_T, 10}, {EDGE_R, -25}, {EDGE_T, 25}},
    {ID_SETTINGS, {EDGE_R, -40}, {EDGE_B, -40}, {EDGE_R, -10}, {EDGE_B, -10}},
    {ID_PLAY, {EDGE_L, 55}, {EDGE_B, -40}, {EDGE_L, 100}, {EDGE_B, -10}},
    {ID_STATUS, {EDGE_L, 10}, {EDGE_B, -95}, {EDGE_R, -10}, {EDGE_B, -50}},
    {ID_STOP, {EDGE_L, 10}, {EDGE_B, -40}, {EDGE_L, 55}, {EDGE_B, -10}},
    {ID_LISTFRAME, {EDGE_L, 10}, {EDGE_T, 35}, {EDGE_R, -10}, {EDGE_B, -105}},
    {ID_OPEN, {EDGE_R, -70}, {EDGE_B, -40}, {EDGE_R, -40}, {EDGE_B, -10}},
};

static LONG edge_offset(const RECT& client, EdgeOffset side)
{
    const LONG edges[] = {client.left, client.top, client.right, client.bottom};
    return edges[side.edge] + side.offset;
}

int layout_object(HWND window, int id, RECT* rect)
{
    RECT client;
    GetClientRect(window, &client);
    for (const ObjectPlace& place : OBJECT_PLACES) {
        if (place.id != id)
            continue;
        rect->left = edge_offset(client, place.left);
        rect->top = edge_offset(client, place.top);
        rect->right = edge_offset(client, place.right);
        rect->bottom = edge_offset(client, place.bottom);
        return 1;
    }
    return 0;
}

// A title too long to share the buffer with the second line is shortened, so the play state
// is always shown.
void status_text_compose(char* out, int capacity)
{
    char state_line[64];
    const char* state_format = player.play_mode == MODE_STOPPED ? "\n%d Track 停止中" : "\n%d Track 再生中";
    std::snprintf(state_line, sizeof state_line, state_format, static_cast<int>(player.selected_track));
    const char* first_line = player.loaded == 1 ? player.title : "名称未定";
    int room = capacity - static_cast<int>(std::strlen(state_line));
    size_t used = text_fit(out, room > 0 ? static_cast<size_t>(room) : 1, first_line);
    text_fit(out + used, static_cast<size_t>(capacity) - used, state_line);
}

int draw_object_text(HDC dc, int id, const RECT* rect)
{
    if (id != ID_STATUS)
        return 0;
    RECT text_rect = {rect->left + 10, rect->top + 10, rect->right - 10, rect->bottom - 10};
    char text[TEXT_SIZE];
    status_text_compose(text, sizeof text);
    shell_show_text(dc, text, &text_rect, SHELL_TEXT_MIDDLE);
    return 1;
}
