#include "render_trace.h"

#include <charconv>
#include <cstdio>

#include "player_state.h"
#include "render_clock.h"
#include "render_options.h"
#include "render_song.h"
#include "render_state.h"

// A long song makes millions of lines; they are formatted by hand into a large stdio buffer.
static char* trace_put_number(char* at, int64_t value, char separator)
{
    char* end = std::to_chars(at, at + 24, value).ptr;
    *end = separator;
    return end + 1;
}

// The note is read when the tone starts: the selected track's note as that advance left it.
static void trace_tone(int frequency_hz)
{
    int32_t note = player.tracks[player.selected_track].note;
    char line[80];
    char* end = trace_put_number(line, render.tick, ' ');
    end = trace_put_number(end, note, ' ');
    end = trace_put_number(end, frequency_hz, '\n');
    std::fwrite(line, 1, static_cast<size_t>(end - line), stdout);
}

int render_trace()
{
    if (!render_song_open())
        return EXIT_FAILED;
    if (!render_song_prepare_playback())
        return EXIT_USAGE;
    static char output_buffer[1 << 16];
    std::setvbuf(stdout, output_buffer, _IOFBF, sizeof output_buffer);
    render.tone_sink = trace_tone;
    int64_t stop_tick = render_clock_play(nullptr);
    render.tone_sink = nullptr;
    std::printf("stop %lld\n", static_cast<long long>(stop_tick));
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "tonkle-render: cannot write to standard output\n");
        return EXIT_FAILED;
    }
    return EXIT_OK;
}
