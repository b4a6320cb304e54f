#include "track_list.h"

#include <commctrl.h>

#include <cstdio>

#include "ids.h"
#include "player_state.h"
#include "shell.h"

static void track_list_add_column(HWND list, int index, const char* heading, int width)
{
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(heading);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

static void track_list_set_cell(HWND list, int row, int column, const char* text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// The list lies 2 pixels inside the list frame on every side and never moves: the main window
// has a fixed size.
HWND track_list_create(HWND parent)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    RECT client;
    GetClientRect(parent, &client);
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    HWND list = CreateWindowExA(0, "SysListView32", "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOSORTHEADER, 12, 37,
                                client.right - 24, client.bottom - 144, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_TRACKLIST)), instance, nullptr);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    track_list_add_column(list, 0, "CH", 50);
    track_list_add_column(list, 1, "長さ", 50);
    RECT list_client;
    GetClientRect(list, &list_client);
    track_list_add_column(list, 2, "♪", list_client.right - 150);
    SendMessageA(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(shell_get_color(SHELL_COLOR_BACK)));
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(shell_get_color(SHELL_COLOR_BACK)));
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(shell_get_color(SHELL_COLOR_TEXT)));
    return list;
}

int track_list_fill(HWND list)
{
    char text[16];
    for (int i = 0; i < player.track_count; i++) {
        std::snprintf(text, sizeof text, "%d", i);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        std::snprintf(text, sizeof text, "%d", static_cast<int>(player.tracks[i].length));
        track_list_set_cell(list, i, 1, text);
        track_list_set_cell(list, i, 2, "");
    }
    return 1;
}

int track_list_clear(HWND list)
{
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    return 1;
}

// An advance that finds no note ends its track, so a finished track shows "-".
int track_list_show_note(HWND list, int track, int32_t status)
{
    const char* text = "-";
    if (status == TRACK_PLAYING)
        text = player.note_names[player.tracks[track].note % 12];
    track_list_set_cell(list, track, 2, text);
    return 1;
}

// The list allows several selected rows; a click makes the lowest of them the sounded track.
// The status panel keeps its number until it is next drawn.
static LRESULT track_list_on_click(HWND list)
{
    LRESULT row = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0)
        return 0;
    player.selected_track = static_cast<int32_t>(row);
    InvalidateRect(list, nullptr, TRUE);
    return 1;
}

static LRESULT track_list_on_custom_draw(const NMLVCUSTOMDRAW* draw)
{
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return 0;
    if (draw->nmcd.dwItemSpec == static_cast<DWORD_PTR>(static_cast<INT_PTR>(player.selected_track))) {
        NMLVCUSTOMDRAW* colours = const_cast<NMLVCUSTOMDRAW*>(draw);
        colours->clrText = shell_get_color(SHELL_COLOR_BACK);
        colours->clrTextBk = shell_get_color(SHELL_COLOR_TEXT);
    }
    return CDRF_NEWFONT;
}

LRESULT track_list_notify(const NMHDR* notification)
{
    if (notification->idFrom != ID_TRACKLIST)
        return 0;
    switch (notification->code) {
    case NM_CLICK: return track_list_on_click(notification->hwndFrom);
    case NM_CUSTOMDRAW: return track_list_on_custom_draw(reinterpret_cast<const NMLVCUSTOMDRAW*>(notification));
    default: return 0;
    }
}
