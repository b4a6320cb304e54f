// The window side's one process-wide record: the instance, the busy flags of the modal commands,
// what the Open command remembers, and the few platform calls that tests replace (the version
// query, the screen metrics, the message box and the shell's "open" action).
#pragma once

#include <windows.h>

constexpr int TEXT_SIZE = 256;  // every text buffer
constexpr int PATH_SIZE = 260;  // every file path buffer

struct AppPlatform {
    BOOL(WINAPI* get_version)(OSVERSIONINFOA* info);
    int(WINAPI* get_system_metric)(int index);
    int(WINAPI* message_box)(HWND owner, const char* text, const char* caption, UINT type);
    HINSTANCE(WINAPI* shell_execute)(HWND owner, const char* verb, const char* file, const char* parameters,
                                     const char* folder, int show);
};

struct AppState {
    HINSTANCE instance;
    AppPlatform platform;
    int open_busy;
    int settings_busy;
    int open_filter_index;               // last filter chosen in the open dialog, counted from 1
    char open_initial_folder[PATH_SIZE];  // folder of the last song opened, empty at first
};

extern AppState app;
