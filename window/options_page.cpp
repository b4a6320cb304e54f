// The options page of the settings sheet: the two playback options, applied by OK or Apply.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include "ids.h"
#include "player_state.h"
#include "settings_sheet.h"

static void options_page_show(HWND page)
{
    CheckDlgButton(page, IDC_EVEN_TEMPO, player.even_tempo != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_PLAY_CHORDS, player.play_chords != 0 ? BST_CHECKED : BST_UNCHECKED);
}

static void options_page_apply(HWND page)
{
    player.even_tempo = IsDlgButtonChecked(page, IDC_EVEN_TEMPO) == BST_CHECKED ? 1 : 0;
    player.play_chords = IsDlgButtonChecked(page, IDC_PLAY_CHORDS) == BST_CHECKED ? 1 : 0;
}

static INT_PTR options_page_on_notify(HWND page, const NMHDR* notification)
{
    if (notification->code == static_cast<UINT>(PSN_APPLY))
        options_page_apply(page);
    return 1;
}

INT_PTR CALLBACK options_page_proc(HWND page, UINT message, WPARAM, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: options_page_show(page); return 1;
    case WM_COMMAND: SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0); return 1;
    case WM_NOTIFY: return options_page_on_notify(page, reinterpret_cast<const NMHDR*>(lparam));
    default: return 0;
    }
}
