// The Open command: the standard open-file dialog, remembering the filter chosen last and the
// folder of the song opened last, then replacing the loaded song.
#pragma once

#include <windows.h>

// The dialog's filter pairs (description, pattern), ended by an empty string.
extern const char OPEN_FILTER[];

int open_command(HWND window);
int song_open_dialog(char* path, char* file_title, const char* filter, HWND owner);
