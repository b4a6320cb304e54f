#include "render_info.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "player_state.h"
#include "render_options.h"
#include "render_song.h"
#include "text_cp932.h"

int render_info()
{
    if (!render_song_open())
        return EXIT_FAILED;
    size_t title_bytes = std::strlen(player.title);
    std::string title = text_cp932_to_utf8(player.title, title_bytes);
    std::string title_hex = text_hex(player.title, title_bytes);
    std::printf("title\t%s\n", title.c_str());
    std::printf("title_hex\t%s\n", title_hex.c_str());
    std::printf("tracks\t%d\n", player.track_count);
    std::printf("selected\t%d\n", player.selected_track);
    for (int i = 0; i < player.track_count; i++)
        std::printf("track\t%d\t%d\n", i, player.tracks[i].length);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "tonkle-render: cannot write to standard output\n");
        return EXIT_FAILED;
    }
    return EXIT_OK;
}
