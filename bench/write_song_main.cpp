// Writes a long song for whole-command timings: tonkle-bench-song OUT.mid TRACKS NOTES
#include <cstdio>
#include <cstdlib>

#include "bench_songs.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OUT.mid TRACKS NOTES_PER_TRACK\n", argv[0]);
        return 2;
    }
    const int tracks = std::atoi(argv[2]);
    const int notes = std::atoi(argv[3]);
    if (tracks < 1 || notes < 1) {
        std::fprintf(stderr, "%s: TRACKS and NOTES_PER_TRACK must be positive\n", argv[0]);
        return 2;
    }
    std::vector<unsigned char> song = bench_song_bytes_tracks(tracks, notes);
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(song.data(), 1, song.size(), out) == song.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
