// The renderer's one process-wide record: what the command line asked for, the simulated clock,
// and where the tones the player starts go.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

enum RenderCommand : int { COMMAND_NONE = 0, COMMAND_INFO = 1, COMMAND_TRACE = 2, COMMAND_WAV = 3 };

constexpr int64_t MICROSECONDS_PER_MS = 1000;
constexpr int64_t MICROSECONDS_PER_SECOND = 1000000;
constexpr int PATH_BYTES = 4096;

struct RenderOptions {
    int command;              // RenderCommand
    int help;                 // 1 when --help was given
    const char* song_path;
    const char* output_path;  // wav only
    int has_track;
    int32_t track;
    int even_tempo;
    int play_chords;
    int64_t tick_us;  // simulated timer period in microseconds (--tick-ms, three decimals at most)
    int32_t rate_hz;  // samples per second of the WAV file
};

// Called for every tone the player starts, with the frequency it asked for.
using ToneSink = void (*)(int frequency_hz);

// The single speaker: at most one tone sounds, a newer one cuts off the older one.
struct Speaker {
    int64_t cursor;      // next sample to write
    int64_t tone_start;  // first sample of the sounding tone
    int64_t tone_end;    // one past its last sample; <= cursor when nothing sounds
    int32_t frequency_hz;
};

struct WavWriter {
    FILE* file;
    std::unique_ptr<unsigned char[]> buffer;  // little-endian 16-bit samples waiting to be written
    size_t buffered_bytes;
    int64_t samples_written;
    int failed;        // a write to the file failed; the render is given up
    int error_number;  // errno of that failure
};

struct Progress {
    int enabled;  // stderr is a terminal
    int shown;    // a progress line is on the terminal and must be cleared
    int64_t started_ns;
    int64_t last_shown_ns;
    const char* label;
};

// What a run of the song produces: how many tones, when the last one ends, when the Stop comes.
struct RenderPlan {
    int timed_ahead;  // a counting run was made before writing, so the length is known
    int64_t stop_tick;
    int64_t tones_started;
    int64_t tones_silent;
    int64_t last_tone_end;  // sample after the last audible tone; 0 when none sounded
    int64_t total_samples;
    int too_long;           // the render would not fit in a WAV file
};

struct RenderState {
    RenderOptions options;
    int64_t tick;        // the tick now running; 1 is the first tick after Play
    int stop_requested;  // the player posted Stop during the current tick
    ToneSink tone_sink;
    int64_t tone_samples;  // samples in one BEEP_MS tone at the chosen rate
    RenderPlan plan;
    Speaker speaker;
    WavWriter wav;
    Progress progress;
    // The output's temporary name, kept in a fixed buffer so that an interrupt can remove it.
    char temp_path[PATH_BYTES];
    int temp_exists;
    uint32_t saved_console_code_page;  // Windows: the console's code page before the run
};

extern RenderState render;
