// The settings sheet: a modal two-page property sheet with the playback options and the
// program's version information with a link to its web page.
#pragma once

#include <windows.h>

extern const char WEB_ADDRESS[];
extern const char WEB_SITE_NAME[];

// What the version page shows, read from a module's version resource.
struct AboutVersion {
    char description[256];
    char copyright[256];
    int numbers[4];
};

int settings_command(HWND window);
int settings_sheet_show(HWND owner);
INT_PTR CALLBACK options_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK about_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// Reads the version resource of the file at `module_path`; missing values stay empty or 0.
void about_version_read(const char* module_path, AboutVersion* version);
// "<description> Ver.<major>.<minor>\n", shortened to fit `capacity` bytes.
void about_version_line(const AboutVersion* version, char* out, int capacity);
