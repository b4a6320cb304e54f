// Loading a 64 MiB song against a plain read of the same file into a new buffer. The load
// adds the track scan and the title search to the read; the ratio of the two is the figure.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench_songs.h"
#include "player_state.h"
#include "song_loader.h"

namespace {

constexpr int64_t BIG_SONG_BYTES = int64_t{64} << 20;

const std::string& big_song_path()
{
    static const std::string path = bench_song_file_big(BIG_SONG_BYTES);
    return path;
}

// The baseline: open, size, one buffer, read, close, release.
int64_t plain_read(const char* path)
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
    benchmark::DoNotOptimize(buffer.get());
    return static_cast<int64_t>(done);
}

void BM_plain_read(benchmark::State& state)
{
    const std::string& path = big_song_path();
    int64_t bytes = 0;
    for (auto _ : state)
        bytes += plain_read(path.c_str());
    state.SetBytesProcessed(bytes);
}

// Unloading releases the previous song, as the baseline releases its buffer.
void BM_song_load(benchmark::State& state)
{
    const std::string& path = big_song_path();
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
    if (player.track_count != MAX_TRACKS || player.title[0] == '\0')
        state.SkipWithError("the big song did not load as a song");
    state.SetBytesProcessed(bytes);
    song_unload();
}

}  // namespace

BENCHMARK(BM_plain_read)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_song_load)->Unit(benchmark::kMillisecond)->UseRealTime();
