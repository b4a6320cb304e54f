#include "render_usage.h"

#include "render_state.h"

static const char USAGE_INFO[] = "usage: tonkle-render info SONG\n";
static const char USAGE_TRACE[] =
    "usage: tonkle-render trace SONG [--track N] [--even-tempo] [--play-chords]\n";
static const char USAGE_WAV[] =
    "usage: tonkle-render wav SONG -o OUT.wav [--track N] [--even-tempo] [--play-chords]\n"
    "                         [--tick-ms MS] [--rate HZ]\n";

static const char HELP_PROGRAM[] =
    "usage: tonkle-render info SONG\n"
    "       tonkle-render trace SONG [--track N] [--even-tempo] [--play-chords]\n"
    "       tonkle-render wav SONG -o OUT.wav [--track N] [--even-tempo] [--play-chords]\n"
    "                         [--tick-ms MS] [--rate HZ]\n"
    "       tonkle-render COMMAND --help\n"
    "\n"
    "Plays a Standard MIDI File the way Tonkle does, on a simulated timer, without a window.\n"
    "\n"
    "commands:\n"
    "  info   the song's title, its tracks and the track that would be sounded\n"
    "  trace  every tone the player starts, tick by tick, and the tick of the Stop\n"
    "  wav    what the speaker would play, as a WAV file\n"
    "\n"
    "Exit status: 0 done, 1 the song or the output file could not be read or written,\n"
    "2 the command line was wrong.\n";

static const char HELP_INFO[] =
    "\n"
    "Loads SONG as the Open command does and prints one item a line, tab-separated:\n"
    "  title      the title as UTF-8 (a byte that is no code page 932 text, or a control\n"
    "             byte, is shown as \\xNN)\n"
    "  title_hex  the title's bytes in lower-case hex, empty when the song has no title\n"
    "  tracks     the number of tracks\n"
    "  selected   the track that would be sounded (-1, or a number past the last track,\n"
    "             when none is)\n"
    "  track      for every track: its number and its stored length (negative when the\n"
    "             top bit of the stored length is set)\n";

static const char HELP_PLAY_OPTIONS[] =
    "  --track N       sound track N, as a click on row N of the track list does; N must be\n"
    "                  an existing track (the default is the track the song selects)\n"
    "  --even-tempo    make the tempo constant: every note, chord tones too, is followed\n"
    "                  by the same 10-tick wait\n"
    "  --play-chords   sound chord tones (notes with delta 0) too\n";

static const char HELP_TRACE[] =
    "\n"
    "Plays SONG on a simulated timer, as fast as it can. Ticks are numbered from 1 for the\n"
    "first tick after Play. Prints a line for every tone the player starts:\n"
    "  TICK NOTE FREQUENCY\n"
    "silent ones included (the speaker sounds 37 to 32767 Hz only), and ends with\n"
    "  stop TICK\n"
    "for the tick after which the player's Stop request was carried out.\n"
    "\n"
    "options:\n";

static const char HELP_WAV[] =
    "\n"
    "Writes what the speaker would play, as mono 16-bit PCM. Tick k sounds at k x MS\n"
    "milliseconds after Play (the sample at or just before that time). Every tone is a\n"
    "20 ms square wave; a tone that starts while another still sounds replaces it. The\n"
    "speaker plays 37 to 32767 Hz only: other tones are silent and leave a sounding tone\n"
    "alone. The file starts at Play and ends when the last tone has finished or at the\n"
    "Stop, whichever is later. It is written under a temporary name beside OUT.wav and\n"
    "renamed when complete; a render too long for a WAV file (4 GiB) is refused.\n"
    "\n"
    "options:\n"
    "  -o, --output OUT.wav\n"
    "                  the file to write (replaced if it exists; never the song itself)\n";

static const char HELP_WAV_TIMING[] =
    "  --tick-ms MS    milliseconds per tick, 0.001 to 60000, up to three decimals\n"
    "                  (default 1, the period the player asks of its timer; 10 is the\n"
    "                  real window timer's pace under Wine and Windows, 15.625 a\n"
    "                  default Windows system tick)\n"
    "  --rate HZ       samples per second, 8000 to 192000 (default 44100)\n";

void render_usage_print(FILE* stream, int command)
{
    switch (command) {
    case COMMAND_INFO:
        std::fputs(USAGE_INFO, stream);
        std::fputs(HELP_INFO, stream);
        break;
    case COMMAND_TRACE:
        std::fputs(USAGE_TRACE, stream);
        std::fputs(HELP_TRACE, stream);
        std::fputs(HELP_PLAY_OPTIONS, stream);
        break;
    case COMMAND_WAV:
        std::fputs(USAGE_WAV, stream);
        std::fputs(HELP_WAV, stream);
        std::fputs(HELP_PLAY_OPTIONS, stream);
        std::fputs(HELP_WAV_TIMING, stream);
        break;
    default:
        std::fputs(HELP_PROGRAM, stream);
        break;
    }
}

void render_usage_brief(FILE* stream, int command)
{
    switch (command) {
    case COMMAND_INFO:
        std::fputs(USAGE_INFO, stream);
        break;
    case COMMAND_TRACE:
        std::fputs(USAGE_TRACE, stream);
        break;
    case COMMAND_WAV:
        std::fputs(USAGE_WAV, stream);
        break;
    default:
        std::fputs(HELP_PROGRAM, stream);
        return;
    }
    std::fputs("Try 'tonkle-render --help' or 'tonkle-render COMMAND --help'.\n", stream);
}
