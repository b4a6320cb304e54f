// Song files for the benchmarks, written once per run into a private temporary folder that is
// removed when the program ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A file of about `size_bytes` laid out like a real song: a header chunk, then track chunks
// of `notes_per_track` notes (about 10 bytes each) with controller changes; the first track
// carries a title.
std::string bench_song_file_big(int64_t size_bytes, int notes_per_track);

// A song of `track_count` tracks, each holding `notes_per_track` notes (with a chord tone every
// few notes) and ending with an end-of-track event.
std::string bench_song_file_tracks(int track_count, int notes_per_track);

// The bytes of the same songs, for whoever writes them elsewhere.
std::vector<unsigned char> bench_song_bytes_big(int64_t size_bytes, int notes_per_track);
std::vector<unsigned char> bench_song_bytes_tracks(int track_count, int notes_per_track);
