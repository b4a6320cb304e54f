#include "render_wav_bound.h"

#include "player_state.h"
#include "track_reader.h"

int64_t render_wav_tick_bound()
{
    int64_t longest_track_ticks = 0;
    for (int i = 0; i < player.track_count; i++) {
        const TrackRecord& r = player.tracks[i];
        // The reader never goes past the song's end, nor past the stored length when it is
        // shorter; a negative stored length reads nothing.
        int64_t readable = static_cast<int64_t>(player.song_size) - r.events;
        if (r.length < readable)
            readable = r.length;
        if (readable < 0)
            readable = 0;
        // One advance per byte at most, plus the one that finds the end.
        int64_t ticks = (readable + 1) * (NOTE_WAIT_TICKS + 1);
        if (ticks > longest_track_ticks)
            longest_track_ticks = ticks;
    }
    return longest_track_ticks + 1;
}
