// The track list: a report-style list view with one row per track (index, chunk length, current
// note), the sounded track's row inverted, and a click choosing the sounded track.
#pragma once

#include <windows.h>

#include <cstdint>

HWND track_list_create(HWND parent);
int track_list_fill(HWND list);
int track_list_clear(HWND list);
int track_list_show_note(HWND list, int track, int32_t status);
LRESULT track_list_notify(const NMHDR* notification);
