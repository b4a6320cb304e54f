// One timer tick with 256 tracks playing, in the steady state: the songs are long, and when
// they end Play restarts them outside the timed region.
#include <benchmark/benchmark.h>

#include "bench_seam.h"
#include "bench_songs.h"
#include "playback_clock.h"
#include "player_state.h"
#include "song_loader.h"
#include "track_reader.h"

namespace {

constexpr int NOTES_PER_TRACK = 2000;  // about 22000 ticks between restarts

void BM_player_tick(benchmark::State& state)
{
    static const std::string path = bench_song_file_tracks(MAX_TRACKS, NOTES_PER_TRACK);
    song_unload();
    player_reset();
    if (song_load(path.c_str()) != 1 || player.track_count != MAX_TRACKS) {
        state.SkipWithError("the many-track song did not load");
        return;
    }
    player_play();
    int64_t restarts = 0;
    for (auto _ : state) {
        player_tick(bench_refresh);
        if (bench_seam_log.stop_posts != 0) {
            state.PauseTiming();
            bench_seam_log.stop_posts = 0;
            player_play();
            restarts++;
            state.ResumeTiming();
        }
    }
    state.counters["restarts"] = static_cast<double>(restarts);
    song_unload();
}

// The baseline: the least a tick must do, one pass over the same records counting down the
// waits of the playing tracks, with the 11-tick rhythm of a note every track keeps.
void BM_countdown_pass(benchmark::State& state)
{
    const int track_count = static_cast<int>(state.range(0));
    static TrackRecord records[MAX_TRACKS];
    for (int i = 0; i < track_count; i++) {
        records[i] = TrackRecord{};
        records[i].status = TRACK_PLAYING;
    }
    for (auto _ : state) {
        for (int i = 0; i < track_count; i++) {
            TrackRecord& r = records[i];
            if (r.status != TRACK_PLAYING)
                continue;
            if (r.countdown != 0) {
                r.countdown--;
                continue;
            }
            r.countdown = NOTE_WAIT_TICKS;
        }
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_player_tick)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_countdown_pass)->Arg(MAX_TRACKS)->Unit(benchmark::kNanosecond);
