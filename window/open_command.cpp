#include "open_command.h"

#include <commdlg.h>

#include <cstddef>
#include <cstring>

#include "app_state.h"
#include "ids.h"
#include "player_state.h"
#include "song_loader.h"
#include "text_fit.h"
#include "track_list.h"

const char OPEN_FILTER[] = "MIDIファイル(*.mid)\0*.mid\0その他\0*.*\0";
static const char OPEN_DIALOG_TITLE[] = "ファイルを開く";
constexpr DWORD OPEN_FILE_TITLE_SIZE = 64;

// The dialog record without the fields added in Windows 2000: 76 bytes on 32-bit Windows.
constexpr DWORD OPEN_DIALOG_RECORD_SIZE = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 4 || OPEN_DIALOG_RECORD_SIZE == 76, "open dialog record of the first form");

// The folder comes from the dialog's own offset of the file name: a code page 932 path may hold
// 0x5C as the second byte of a character, so searching for the last backslash could cut inside
// one.
static void open_remember_folder(const char* path, WORD file_offset)
{
    if (file_offset == 0 || file_offset >= PATH_SIZE)
        return;
    char folder[PATH_SIZE];
    std::memcpy(folder, path, file_offset);
    folder[file_offset] = '\0';
    text_fit(app.open_initial_folder, sizeof app.open_initial_folder, folder);
}

int song_open_dialog(char* path, char* file_title, const char* filter, HWND owner)
{
    OPENFILENAMEA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = OPEN_DIALOG_RECORD_SIZE;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = static_cast<DWORD>(app.open_filter_index);
    dialog.lpstrFile = path;
    dialog.nMaxFile = PATH_SIZE;
    dialog.lpstrFileTitle = file_title;
    dialog.nMaxFileTitle = OPEN_FILE_TITLE_SIZE;
    dialog.lpstrInitialDir = app.open_initial_folder;
    dialog.lpstrTitle = OPEN_DIALOG_TITLE;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    dialog.lpstrDefExt = "";
    if (GetOpenFileNameA(&dialog) == 0)
        return 0;
    app.open_filter_index = static_cast<int>(dialog.nFilterIndex);
    open_remember_folder(path, dialog.nFileOffset);
    return 1;
}

// The list is cleared right after the unload and filled right after the load, so it never
// shows rows of a song that is no longer held.
int open_command(HWND window)
{
    if (app.open_busy)
        return 1;
    app.open_busy = 1;
    char path[PATH_SIZE] = {};
    char file_title[PATH_SIZE] = {};
    if (song_open_dialog(path, file_title, OPEN_FILTER, window)) {
        HWND list = GetDlgItem(window, ID_TRACKLIST);
        song_unload();
        track_list_clear(list);
        song_load(path);
        track_list_fill(list);
        InvalidateRect(list, nullptr, FALSE);
        InvalidateRect(GetDlgItem(window, ID_STATUS), nullptr, FALSE);
    }
    app.open_busy = 0;
    return 1;
}
