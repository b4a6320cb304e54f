// Loading a 64 MiB song against a plain read of the same file into a new buffer. The load
// adds the track scan and the title search to the read; the ratio of the two is the figure.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench_songs.h"
#include "player_state.h"
#include "song_loader.h"

namespace {

constexpr int64_t BIG_SONG_BYTES = int64_t{64} << 20;
constexpr size_t PAGE_BYTES = 4096;

// Short tracks (about 10 KiB each): the track table is full after the first 256 chunks, and the
// scan stops there. Long tracks (about 1 MiB each, 64 of them): the scan reads the whole file.
constexpr int SHORT_TRACK_NOTES = 1024;
constexpr int LONG_TRACK_NOTES = 100000;

const std::string& big_song_path(int notes_per_track)
{
    static const std::string short_tracks = bench_song_file_big(BIG_SONG_BYTES, SHORT_TRACK_NOTES);
    static const std::string long_tracks = bench_song_file_big(BIG_SONG_BYTES, LONG_TRACK_NOTES);
    return notes_per_track == SHORT_TRACK_NOTES ? short_tracks : long_tracks;
}

// The baseline: open, size, one buffer, read, close, release. With `touch_pages`, one byte of
// every page is read back after the read: on some virtual machines the first access from the
// program to a page the kernel has just filled is far dearer than the copy itself, and the
// load's scan pays it. This second baseline shows how much of the load's time that is.
int64_t plain_read(const char* path, bool touch_pages)
{
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0) {
        std::perror("tonkle bench: plain read");
        std::exit(1);
    }
    const size_t wanted = static_cast<size_t>(info.st_size);
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[wanted]);
    size_t done = 0;
    while (done < wanted) {
        ssize_t got = read(fd, buffer.get() + done, wanted - done);
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    close(fd);
    if (touch_pages) {
        unsigned sum = 0;
        for (size_t i = 0; i < done; i += PAGE_BYTES)
            sum += buffer[i];
        benchmark::DoNotOptimize(sum);
    }
    benchmark::DoNotOptimize(buffer.get());
    return static_cast<int64_t>(done);
}

void BM_plain_read(benchmark::State& state)
{
    const std::string& path = big_song_path(static_cast<int>(state.range(0)));
    int64_t bytes = 0;
    for (auto _ : state)
        bytes += plain_read(path.c_str(), false);
    state.SetBytesProcessed(bytes);
}

void BM_plain_read_touched(benchmark::State& state)
{
    const std::string& path = big_song_path(static_cast<int>(state.range(0)));
    int64_t bytes = 0;
    for (auto _ : state)
        bytes += plain_read(path.c_str(), true);
    state.SetBytesProcessed(bytes);
}

// Unloading releases the previous song, as the baseline releases its buffer.
void BM_song_load(benchmark::State& state)
{
    const int notes_per_track = static_cast<int>(state.range(0));
    const std::string& path = big_song_path(notes_per_track);
    song_unload();
    player_reset();
    int64_t bytes = 0;
    for (auto _ : state) {
        song_unload();
        if (song_load(path.c_str()) != 1) {
            state.SkipWithError("song_load failed");
            break;
        }
        bytes += player.song_size;
    }
    if (player.track_count < 64 || player.title[0] == '\0')
        state.SkipWithError("the big song did not load as a song");
    state.SetBytesProcessed(bytes);
    song_unload();
}

// The scan alone, on bytes already in memory: what the load adds to the read.
void BM_song_scan(benchmark::State& state)
{
    const int notes_per_track = static_cast<int>(state.range(0));
    const std::vector<unsigned char> bytes = bench_song_bytes_big(BIG_SONG_BYTES, notes_per_track);
    const int32_t size = static_cast<int32_t>(bytes.size());
    for (auto _ : state) {
        player_reset();
        song_scan(bytes.data(), size);
        benchmark::DoNotOptimize(player.track_count);
    }
    state.SetBytesProcessed(state.iterations() * size);
    player_reset();
}

}  // namespace

BENCHMARK(BM_song_scan)->Arg(SHORT_TRACK_NOTES)->Arg(LONG_TRACK_NOTES)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_plain_read)->Arg(SHORT_TRACK_NOTES)->Arg(LONG_TRACK_NOTES)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_plain_read_touched)->Arg(LONG_TRACK_NOTES)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_song_load)->Arg(SHORT_TRACK_NOTES)->Arg(LONG_TRACK_NOTES)->Unit(benchmark::kMillisecond)->UseRealTime();
