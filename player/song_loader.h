// Loading and unloading a song: the whole file is kept, every "MTrk" tag in it starts a track,
// and the title is the first track-name meta event anywhere in the file.
#pragma once

#include <cstdint>

int song_load(const char* path);
int song_unload();
int song_find_title(int capacity, int32_t size, const unsigned char* data, char* out);

// The scan that follows the read; song_load calls it on the bytes it has just taken.
void song_scan(const unsigned char* data, int32_t size);
