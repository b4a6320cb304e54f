#include "playback_clock.h"

#include <cmath>

#include "player_state.h"
#include "track_reader.h"

// Every track back to its first byte, with no wait and no note.
static void tracks_rewind()
{
    for (int i = 0; i < player.track_count; i++) {
        TrackRecord& r = player.tracks[i];
        r.position = 0;
        r.countdown = 0;
        r.note = 0;
    }
}

int player_play()
{
    player.play_mode = MODE_PLAYING;
    tracks_rewind();
    for (int i = 0; i < player.track_count; i++)
        player.tracks[i].status = TRACK_PLAYING;
    return 1;
}

// Track states are left alone: the tick does nothing while stopped, and Play resets them.
int player_stop()
{
    player.play_mode = MODE_STOPPED;
    tracks_rewind();
    return 1;
}

int player_tick(NoteRefresh refresh)
{
    if (player.play_mode != MODE_PLAYING || player.loaded != 1)
        return 1;
    bool any_playing = false;
    for (int i = 0; i < player.track_count; i++) {
        TrackRecord& r = player.tracks[i];
        if (r.status != TRACK_PLAYING)
            continue;
        any_playing = true;
        if (r.countdown != 0) {
            r.countdown--;
            continue;
        }
        track_advance(i);
        if (refresh != nullptr)
            refresh(i, r.status);
        if (i == player.selected_track)
            sound_selected_note();
    }
    if (!any_playing)
        platform_post_stop(player.main_window);
    return 1;
}

// Goes through exp and the natural logarithm, rounding each step to double and truncating only
// at the end: notes 96 and 108 give 1047 and 2095 Hz this way, one less than pow() would.
int note_frequency(int32_t note)
{
    double octaves = (note - 72) / 12.0 + 1;
    return static_cast<int>(std::exp(std::log(2.0) * octaves) * 131);
}

int sound_selected_note()
{
    platform_start_tone(note_frequency(player.tracks[player.selected_track].note));
    return 1;
}
