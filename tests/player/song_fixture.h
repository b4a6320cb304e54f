// Small byte fixtures for the player tests: track chunks, whole songs written to a temporary
// file and loaded the way the Open command loads them, and a recording of what the player asked
// of the platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// "MTrk", the big-endian length of `events` (or `declared_length` when given), then `events`.
Bytes track_chunk(const Bytes& events);
Bytes track_chunk_declared(const Bytes& events, uint32_t declared_length);

// A header chunk followed by the given chunks.
Bytes song_bytes(const std::vector<Bytes>& chunks);

// Writes the bytes to a fresh temporary file and returns its path.
std::string write_temp_file(const Bytes& bytes);

// Unloads whatever is loaded, then loads `bytes` from a temporary file. Returns song_load's result.
int load_song(const Bytes& bytes);

// What the player asked of the platform since the last recording_clear().
struct PlatformRecording {
    int stop_posts;
    std::vector<int> tone_frequencies;
};
extern PlatformRecording recording;
void recording_clear();
