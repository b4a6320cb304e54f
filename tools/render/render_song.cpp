#include "render_song.h"

#include <cstdio>

#include "player_state.h"
#include "render_options.h"
#include "render_os.h"
#include "render_state.h"
#include "song_loader.h"

int render_song_open()
{
    song_unload();
    if (song_load(render.options.song_path))
        return 1;
    char reason[512];
    render_os_describe_read_failure(render.options.song_path, reason, sizeof reason);
    std::fprintf(stderr, "tonkle-render: cannot read song '%s': %s\n", render.options.song_path, reason);
    return 0;
}

int render_song_prepare_playback()
{
    const RenderOptions& o = render.options;
    player.even_tempo = o.even_tempo;
    player.play_chords = o.play_chords;
    if (!o.has_track)
        return 1;
    if (o.track >= player.track_count) {
        char detail[128];
        if (player.track_count == 0)
            std::snprintf(detail, sizeof detail, "%d: the song has no tracks", o.track);
        else
            std::snprintf(detail, sizeof detail, "%d: the song has tracks 0 to %d", o.track, player.track_count - 1);
        render_usage_error("--track %s", detail);
        return 0;
    }
    player.selected_track = o.track;
    return 1;
}
