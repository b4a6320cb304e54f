// libFuzzer entry point: loads the input as a song through the real loader and plays it the way
// the main window does, under every combination of the two options and for several selected
// tracks, checking the player's record after every tick.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz_load_checks.h"
#include "fuzz_seam.h"
#include "playback_clock.h"
#include "player_state.h"
#include "song_loader.h"
#include "track_reader.h"

namespace {

// Whether a posted Stop is carried out after its tick, as the main window does, or ignored so
// that every track plays to its end.
enum StopHandling { STOP_HONOURED, STOP_IGNORED };

// The refresh calls of one tick.
struct RefreshLog {
    int calls;
    int last_track;
    bool refreshed[MAX_TRACKS];
};

RefreshLog refresh_log;
int main_window_tag;

void fuzz_refresh(int track, int32_t status)
{
    fuzz_require(track >= 0 && track < player.track_count, "refresh for a track outside the table");
    fuzz_require(status == TRACK_PLAYING || status == TRACK_FINISHED, "refresh with an invalid status");
    fuzz_require(track > refresh_log.last_track, "refreshes not in increasing track order");
    fuzz_require(status == player.tracks[track].status, "refresh status differs from the track's");
    refresh_log.calls++;
    refresh_log.last_track = track;
    refresh_log.refreshed[track] = true;
}

void clear_refresh_log()
{
    refresh_log.calls = 0;
    refresh_log.last_track = -1;
    std::memset(refresh_log.refreshed, 0, sizeof(bool) * static_cast<size_t>(player.track_count));
}

bool any_track_playing()
{
    for (int i = 0; i < player.track_count; i++) {
        if (player.tracks[i].status == TRACK_PLAYING)
            return true;
    }
    return false;
}

// One playing track whose wait had run out at the start of the tick: the tick advanced it.
void check_advanced_track(int i, const TrackRecord& before, const TrackRecord& after)
{
    fuzz_require(refresh_log.refreshed[i], "an advanced track was not refreshed");
    fuzz_require(after.status == TRACK_PLAYING || after.status == TRACK_FINISHED,
                 "an advance left an invalid status");
    if (after.status == TRACK_PLAYING) {
        // Each advance that leaves its track playing consumes bytes: this bounds the ticks.
        fuzz_require(after.position > before.position, "an advance that kept playing consumed no byte");
        fuzz_require(after.countdown == 0 || after.countdown == NOTE_WAIT_TICKS,
                     "a playing track's wait after an advance is neither 0 nor 10");
        fuzz_require(after.note >= 0 && after.note <= 255, "a note outside one byte");
    }
}

void check_tick(const TrackRecord* before, bool any_playing_before)
{
    bool selected_advanced = false;
    for (int i = 0; i < player.track_count; i++) {
        const TrackRecord& b = before[i];
        const TrackRecord& a = player.tracks[i];
        fuzz_require(a.events == b.events && a.length == b.length, "a tick changed a track's chunk");
        if (b.status != TRACK_PLAYING) {
            fuzz_require(std::memcmp(&a, &b, sizeof a) == 0, "a track that was not playing changed");
            fuzz_require(!refresh_log.refreshed[i], "a track that was not playing was refreshed");
            continue;
        }
        fuzz_require(b.countdown >= 0 && b.countdown <= NOTE_WAIT_TICKS, "a playing track's wait outside 0..10");
        if (b.countdown != 0) {
            fuzz_require(a.countdown == b.countdown - 1 && a.position == b.position && a.status == b.status &&
                             a.note == b.note,
                         "a waiting track did more than count down");
            fuzz_require(!refresh_log.refreshed[i], "a waiting track was refreshed");
            continue;
        }
        check_advanced_track(i, b, a);
        if (i == player.selected_track)
            selected_advanced = true;
    }

    if (selected_advanced) {
        fuzz_require(fuzz_seam_log.tones == 1, "the selected track advanced without exactly one tone");
        fuzz_require(fuzz_seam_log.last_tone_hz == note_frequency(player.tracks[player.selected_track].note),
                     "the tone is not the selected track's note");
    } else {
        fuzz_require(fuzz_seam_log.tones == 0, "a tone without an advance of the selected track");
    }

    fuzz_require(fuzz_seam_log.stop_posts <= 1, "more than one Stop posted in one tick");
    if (!any_playing_before)
        fuzz_require(fuzz_seam_log.stop_posts == 1, "no Stop posted although no track was playing");
    if (fuzz_seam_log.stop_posts == 1) {
        fuzz_require(fuzz_seam_log.last_stop_window == player.main_window, "Stop posted to another window");
        bool selected_ended = selected_advanced && player.tracks[player.selected_track].status == TRACK_FINISHED &&
                              player.tracks[player.selected_track].note == 0;
        fuzz_require(!any_playing_before || selected_ended,
                     "Stop posted while tracks play and the selected track did not end");
    }
}

void check_stopped()
{
    fuzz_require(player.play_mode == MODE_STOPPED, "Stop left the player playing");
    for (int i = 0; i < player.track_count; i++) {
        const TrackRecord& r = player.tracks[i];
        fuzz_require(r.position == 0 && r.countdown == 0 && r.note == 0, "Stop did not rewind a track");
    }
    // While stopped a tick does nothing.
    static TrackRecord before[MAX_TRACKS];
    const size_t table_bytes = sizeof(TrackRecord) * static_cast<size_t>(player.track_count);
    std::memcpy(before, player.tracks, table_bytes);
    clear_refresh_log();
    fuzz_seam_clear_log();
    player_tick(fuzz_refresh);
    fuzz_require(refresh_log.calls == 0 && fuzz_seam_log.tones == 0 && fuzz_seam_log.stop_posts == 0,
                 "a tick while stopped did something");
    fuzz_require(std::memcmp(before, player.tracks, table_bytes) == 0, "a tick while stopped changed a track");
}

// Every advance that keeps a track playing consumes at least one of the song's bytes, and a
// track waits at most 11 ticks between advances, so no play can last longer than this.
// Exceeding it means the player stopped making progress.
long tick_limit(size_t song_size)
{
    return 22L * (static_cast<long>(song_size) + 2) + 64;
}

void play_song(int even_tempo, int play_chords, int32_t selection, StopHandling handling)
{
    player.even_tempo = even_tempo;
    player.play_chords = play_chords;
    player.selected_track = selection;
    player_play();
    fuzz_require(player.play_mode == MODE_PLAYING, "Play did not start the player");
    for (int i = 0; i < player.track_count; i++) {
        const TrackRecord& r = player.tracks[i];
        fuzz_require(r.status == TRACK_PLAYING && r.position == 0 && r.countdown == 0 && r.note == 0,
                     "Play did not start a track at its beginning");
    }

    const long limit = tick_limit(fuzz_input.size);
    static TrackRecord before[MAX_TRACKS];
    const size_t table_bytes = sizeof(TrackRecord) * static_cast<size_t>(player.track_count);
    for (long tick = 0;; tick++) {
        if (tick > limit) {
            std::fprintf(stderr, "tonkle fuzz: play did not end within %ld ticks (options %d/%d, track %d)\n",
                         limit, even_tempo, play_chords, selection);
            std::abort();
        }
        std::memcpy(before, player.tracks, table_bytes);
        bool any_playing_before = any_track_playing();
        clear_refresh_log();
        fuzz_seam_clear_log();
        player_tick(fuzz_refresh);
        check_tick(before, any_playing_before);
        fuzz_require(player.play_mode == MODE_PLAYING, "a tick changed the play mode itself");
        if (handling == STOP_HONOURED && fuzz_seam_log.stop_posts > 0) {
            player_stop();
            check_stopped();
            return;
        }
        if (!any_playing_before) {
            player_stop();
            return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    player_reset();
    player.main_window = &main_window_tag;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_input = FuzzInput{data, size};
    song_unload();
    if (song_load(FUZZ_INPUT_PATH) != 1) {
        fuzz_require(static_cast<int64_t>(size) > SONG_MAX_BYTES, "a song of allowed size did not load");
        return 0;
    }
    fuzz_check_loaded_song(data, size);

    const int32_t default_selection = player.selected_track;
    const int32_t selections[] = {default_selection, 0, player.track_count - 1, player.track_count};
    for (int options = 0; options < 4; options++) {
        const int even_tempo = options & 1;
        const int play_chords = (options >> 1) & 1;
        for (size_t s = 0; s < sizeof selections / sizeof selections[0]; s++) {
            bool repeated = false;
            for (size_t earlier = 0; earlier < s; earlier++)
                repeated = repeated || selections[earlier] == selections[s];
            if (!repeated)
                play_song(even_tempo, play_chords, selections[s], STOP_HONOURED);
        }
        play_song(even_tempo, play_chords, default_selection, STOP_IGNORED);
        fuzz_require(!any_track_playing(), "a track still plays after its song ended");
    }

    song_unload();
    fuzz_require(player.loaded == 0 && player.song == nullptr && player.track_count == 0,
                 "unload left a song behind");
    fuzz_require(player.main_window == &main_window_tag, "unload lost the main window");
    return 0;
}
