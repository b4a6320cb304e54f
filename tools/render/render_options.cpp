#include "render_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "render_state.h"

void render_usage_error(const char* format, const char* detail)
{
    std::fputs("tonkle-render: ", stderr);
    std::fprintf(stderr, format, detail);
    std::fputc('\n', stderr);
}

static int render_command_from_name(const char* name)
{
    if (std::strcmp(name, "info") == 0)
        return COMMAND_INFO;
    if (std::strcmp(name, "trace") == 0)
        return COMMAND_TRACE;
    if (std::strcmp(name, "wav") == 0)
        return COMMAND_WAV;
    return COMMAND_NONE;
}

// A whole decimal number, no sign, no spaces, no trailing characters.
static int parse_whole_number(const char* text, long long max, long long* value)
{
    if (text[0] < '0' || text[0] > '9')
        return 0;
    errno = 0;
    char* end = nullptr;
    long long parsed = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed > max)
        return 0;
    *value = parsed;
    return 1;
}

// Milliseconds with up to three decimals, as whole microseconds: "10", "15.625", "0.5".
static int parse_milliseconds(const char* text, long long* microseconds)
{
    long long whole = 0;
    long long fraction = 0;
    int fraction_digits = 0;
    const char* p = text;
    if (*p < '0' || *p > '9')
        return 0;
    for (; *p >= '0' && *p <= '9'; p++) {
        whole = whole * 10 + (*p - '0');
        if (whole > TICK_US_MAX / MICROSECONDS_PER_MS)
            return 0;
    }
    if (*p == '.') {
        p++;
        for (; *p >= '0' && *p <= '9'; p++) {
            if (fraction_digits == 3)
                return 0;
            fraction = fraction * 10 + (*p - '0');
            fraction_digits++;
        }
        if (fraction_digits == 0)
            return 0;
    }
    if (*p != '\0')
        return 0;
    for (int i = fraction_digits; i < 3; i++)
        fraction *= 10;
    long long total = whole * MICROSECONDS_PER_MS + fraction;
    if (total <= 0 || total > TICK_US_MAX)
        return 0;
    *microseconds = total;
    return 1;
}

// "--name value" or "--name=value". Returns the value, or nullptr after reporting it missing.
static const char* option_value(int argc, char** argv, int* i, const char* name)
{
    const char* arg = argv[*i];
    size_t name_length = std::strlen(name);
    if (arg[name_length] == '=')
        return arg + name_length + 1;
    if (*i + 1 >= argc) {
        render_usage_error("%s needs a value", name);
        return nullptr;
    }
    *i += 1;
    return argv[*i];
}

static bool option_is(const char* arg, const char* name)
{
    size_t name_length = std::strlen(name);
    return std::strncmp(arg, name, name_length) == 0 && (arg[name_length] == '\0' || arg[name_length] == '=');
}

static bool option_takes_no_value(const char* arg, const char* name)
{
    if (std::strchr(arg, '=') == nullptr)
        return true;
    render_usage_error("%s takes no value", name);
    return false;
}

static int render_options_parse_one(int argc, char** argv, int* i)
{
    RenderOptions& o = render.options;
    const char* arg = argv[*i];
    bool plays = o.command == COMMAND_TRACE || o.command == COMMAND_WAV;
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
        o.help = 1;
        return 1;
    }
    if (plays && option_is(arg, "--track")) {
        const char* value = option_value(argc, argv, i, "--track");
        long long track = 0;
        if (value == nullptr)
            return 0;
        if (!parse_whole_number(value, 0x7FFFFFFF, &track)) {
            render_usage_error("--track: '%s' is not a track number", value);
            return 0;
        }
        o.has_track = 1;
        o.track = static_cast<int32_t>(track);
        return 1;
    }
    if (plays && option_is(arg, "--even-tempo")) {
        o.even_tempo = 1;
        return option_takes_no_value(arg, "--even-tempo") ? 1 : 0;
    }
    if (plays && option_is(arg, "--play-chords")) {
        o.play_chords = 1;
        return option_takes_no_value(arg, "--play-chords") ? 1 : 0;
    }
    if (o.command == COMMAND_WAV && (std::strcmp(arg, "-o") == 0 || option_is(arg, "--output"))) {
        const char* value = std::strcmp(arg, "-o") == 0 ? option_value(argc, argv, i, "-o")
                                                        : option_value(argc, argv, i, "--output");
        if (value == nullptr)
            return 0;
        if (value[0] == '\0') {
            render_usage_error("%s: the output file name is empty", arg);
            return 0;
        }
        o.output_path = value;
        return 1;
    }
    if (o.command == COMMAND_WAV && option_is(arg, "--tick-ms")) {
        const char* value = option_value(argc, argv, i, "--tick-ms");
        long long microseconds = 0;
        if (value == nullptr)
            return 0;
        if (!parse_milliseconds(value, &microseconds)) {
            render_usage_error("--tick-ms: '%s' is not a number of milliseconds from 0.001 to 60000 "
                               "with at most three decimals", value);
            return 0;
        }
        o.tick_us = microseconds;
        return 1;
    }
    if (o.command == COMMAND_WAV && option_is(arg, "--rate")) {
        const char* value = option_value(argc, argv, i, "--rate");
        long long rate = 0;
        if (value == nullptr)
            return 0;
        if (!parse_whole_number(value, RATE_MAX_HZ, &rate) || rate < RATE_MIN_HZ) {
            render_usage_error("--rate: '%s' is not a sample rate from 8000 to 192000 Hz", value);
            return 0;
        }
        o.rate_hz = static_cast<int32_t>(rate);
        return 1;
    }
    if (arg[0] == '-' && arg[1] != '\0') {
        render_usage_error("unknown option '%s'", arg);
        return 0;
    }
    if (o.song_path != nullptr) {
        render_usage_error("one song at a time; '%s' is one too many", arg);
        return 0;
    }
    o.song_path = arg;
    return 1;
}

int render_options_parse(int argc, char** argv)
{
    RenderOptions& o = render.options;
    o = RenderOptions{};
    o.tick_us = TICK_US_DEFAULT;
    o.rate_hz = RATE_DEFAULT_HZ;
    if (argc < 2) {
        render_usage_error("%s", "no command given");
        return 0;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        o.help = 1;
        return 1;
    }
    o.command = render_command_from_name(argv[1]);
    if (o.command == COMMAND_NONE) {
        render_usage_error("unknown command '%s'", argv[1]);
        return 0;
    }
    bool options_ended = false;
    for (int i = 2; i < argc; i++) {
        // After "--" every argument is a file name, so a song named "-x.mid" can be given.
        if (!options_ended && std::strcmp(argv[i], "--") == 0) {
            options_ended = true;
            continue;
        }
        if (options_ended && o.song_path == nullptr) {
            o.song_path = argv[i];
            continue;
        }
        if (options_ended) {
            render_usage_error("one song at a time; '%s' is one too many", argv[i]);
            return 0;
        }
        if (!render_options_parse_one(argc, argv, &i))
            return 0;
    }
    if (o.help)
        return 1;
    if (o.song_path == nullptr) {
        render_usage_error("%s", "no song given");
        return 0;
    }
    if (o.command == COMMAND_WAV && o.output_path == nullptr) {
        render_usage_error("%s", "no output file given (-o OUT.wav)");
        return 0;
    }
    return 1;
}
