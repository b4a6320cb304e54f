// The benchmarks' side of the player's platform seam. Files are read by the real reader
// (tonkle_file); Stop requests and tones are only counted.
#pragma once

#include <cstdint>

struct BenchSeamLog {
    int64_t stop_posts;
    int64_t tones;
};

extern BenchSeamLog bench_seam_log;

// The note-cell refresh the main window would pass to player_tick; it only counts.
void bench_refresh(int track, int32_t status);
