// The WAV is streamed while the song plays on the simulated clock, and its header is written
// again at the end with the length. A render that could pass the 4 GiB a WAV file holds is
// first played once without writing, only counting, so that it is refused before anything is
// written; the track lengths show at once that almost every song is far too short for that.
#include "render_wav.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "playback_clock.h"
#include "render_clock.h"
#include "render_options.h"
#include "render_os.h"
#include "render_progress.h"
#include "render_song.h"
#include "render_state.h"
#include "render_wav_bound.h"
#include "speaker.h"
#include "wav_writer.h"

constexpr int TONE_MIN_HZ = 37;  // the speaker refuses anything outside this range
constexpr int TONE_MAX_HZ = 32767;
constexpr int64_t TICKS_BETWEEN_CHECKS = 1024;

static bool tone_is_audible(int frequency_hz)
{
    return frequency_hz >= TONE_MIN_HZ && frequency_hz <= TONE_MAX_HZ;
}

// Tick k sounds k × MS milliseconds after Play; its first sample is the one at or before then.
// Callers keep k within wav_first_tick_past_limit(), where the product fits in 64 bits.
static int64_t wav_tick_sample(int64_t tick)
{
    return tick * render.options.tick_us * render.options.rate_hz / MICROSECONDS_PER_SECOND;
}

// The first tick whose sample lies past what a WAV file holds.
static int64_t wav_first_tick_past_limit()
{
    // sample(k) > max  <=>  k · tick_us · rate >= (max + 1) · 10^6; the least such k, rounded up.
    int64_t micro_samples_per_tick = render.options.tick_us * render.options.rate_hz;
    int64_t needed = (WAV_MAX_SAMPLES + 1) * MICROSECONDS_PER_SECOND;
    return (needed + micro_samples_per_tick - 1) / micro_samples_per_tick;
}

// Counts the tone; 1 when the speaker sounds it.
static int wav_count_tone(int frequency_hz)
{
    RenderPlan& plan = render.plan;
    plan.tones_started++;
    if (!tone_is_audible(frequency_hz)) {
        plan.tones_silent++;
        return 0;
    }
    plan.last_tone_end = wav_tick_sample(render.tick) + render.tone_samples;
    if (plan.last_tone_end > WAV_MAX_SAMPLES)
        plan.too_long = 1;
    return 1;
}

// Checked before the next tick runs, so no sample position past the limit is ever computed.
static int wav_next_tick_fits()
{
    if (render.plan.too_long || render.tick + 1 >= wav_first_tick_past_limit()) {
        render.plan.too_long = 1;
        return 0;
    }
    return 1;
}

static void wav_show_progress()
{
    char text[PATH_BYTES + 48];
    double seconds = static_cast<double>(wav_tick_sample(render.tick)) / render.options.rate_hz;
    if (render.plan.total_samples > 0)
        std::snprintf(text, sizeof text, "%s %3d%%", render.options.output_path,
                      static_cast<int>(render.speaker.cursor * 100 / render.plan.total_samples));
    else
        std::snprintf(text, sizeof text, "%s: %.0f s", render.options.output_path, seconds);
    render_progress_show(text);
}

static void wav_timing_tone(int frequency_hz)
{
    wav_count_tone(frequency_hz);
}

static int wav_timing_after_tick()
{
    if (!wav_next_tick_fits())
        return 0;
    if (render.tick % TICKS_BETWEEN_CHECKS == 0 && render_progress_due())
        wav_show_progress();
    return 1;
}

static void wav_writing_tone(int frequency_hz)
{
    if (wav_count_tone(frequency_hz))
        speaker_start_tone(wav_tick_sample(render.tick), frequency_hz);
}

static int wav_writing_after_tick()
{
    if (!wav_next_tick_fits())
        return 0;
    if (render.tick % TICKS_BETWEEN_CHECKS != 0)
        return 1;
    if (render.wav.failed)
        return 0;
    if (render_progress_due())
        wav_show_progress();
    return 1;
}

static void wav_report_too_long()
{
    double hours = static_cast<double>(WAV_MAX_SAMPLES) / render.options.rate_hz / 3600;
    std::fprintf(stderr,
                 "tonkle-render: %s: the song plays longer than a WAV file can hold (4 GiB, %.1f hours at "
                 "%d Hz); use a lower --rate or a smaller --tick-ms\n",
                 render.options.output_path, hours, render.options.rate_hz);
}

static void wav_finish_plan(int64_t stop_tick)
{
    RenderPlan& plan = render.plan;
    plan.stop_tick = stop_tick;
    int64_t stop_sample = wav_tick_sample(stop_tick);
    plan.total_samples = plan.last_tone_end > stop_sample ? plan.last_tone_end : stop_sample;
}

// Plays the song once without writing. 1 when the render fits in a WAV file.
static int wav_time_ahead()
{
    render.plan = RenderPlan{};
    render.tone_sink = wav_timing_tone;
    render_progress_begin("timing");
    int64_t stop_tick = render_clock_play(wav_timing_after_tick);
    render_progress_end();
    render.tone_sink = nullptr;
    if (render.plan.too_long) {
        wav_report_too_long();
        return 0;
    }
    wav_finish_plan(stop_tick);
    render.plan.timed_ahead = 1;
    return 1;
}

static void wav_discard_temp()
{
    render_os_remove(render.temp_path);
    render.temp_exists = 0;
}

// Streams the render into `file`. 1 when every sample and the header were written.
static int wav_stream(FILE* file)
{
    const int32_t rate_hz = render.options.rate_hz;
    RenderPlan expected = render.plan;
    wav_begin(file, rate_hz, expected.total_samples);
    speaker_reset();
    render.plan = RenderPlan{};
    render.plan.total_samples = expected.total_samples;  // for the progress line
    render.tone_sink = wav_writing_tone;
    render_progress_begin("writing");
    int64_t stop_tick = render_clock_play(wav_writing_after_tick);
    render.tone_sink = nullptr;
    if (stop_tick != 0 && !render.wav.failed) {
        wav_finish_plan(stop_tick);
        speaker_play_until(render.plan.total_samples);
    }
    render_progress_end();
    if (render.wav.failed || stop_tick == 0)
        return 0;
    // Also after timing ahead: the header then states the length of what was really written.
    return wav_rewrite_header(rate_hz, render.plan.total_samples);
}

static int wav_write_file()
{
    const char* target = render.options.output_path;
    char reason[512];
    render_os_remove_temp_on_interrupt();
    FILE* file = render_os_create_temp(target, render.temp_path, sizeof render.temp_path, reason, sizeof reason);
    if (file == nullptr) {
        std::fprintf(stderr, "tonkle-render: cannot write '%s': %s\n", target, reason);
        return 0;
    }
    render.temp_exists = 1;
    int streamed = wav_stream(file);
    // The stream is closed on every path; only the first failure is reported.
    int error_number = render.wav.error_number;
    int closed = std::fclose(file);
    if (streamed && closed != 0)
        error_number = errno;
    if (!streamed && render.plan.too_long) {
        wav_report_too_long();
        wav_discard_temp();
        return 0;
    }
    if (!streamed || closed != 0) {
        std::fprintf(stderr, "tonkle-render: cannot write '%s': %s\n", target, std::strerror(error_number));
        wav_discard_temp();
        return 0;
    }
    if (!render_os_replace(render.temp_path, target, reason, sizeof reason)) {
        std::fprintf(stderr, "tonkle-render: cannot write '%s': %s\n", target, reason);
        wav_discard_temp();
        return 0;
    }
    render.temp_exists = 0;
    return 1;
}

int render_wav()
{
    if (!render_song_open())
        return EXIT_FAILED;
    if (!render_song_prepare_playback())
        return EXIT_USAGE;
    // Writing over the song would replace it with the render; that is never what was meant.
    if (render_os_same_file(render.options.song_path, render.options.output_path)) {
        render_usage_error("-o %s: that is the song itself", render.options.output_path);
        return EXIT_USAGE;
    }
    render.tone_samples = static_cast<int64_t>(BEEP_MS) * render.options.rate_hz / 1000;
    render.plan = RenderPlan{};
    int64_t most_ticks = render_wav_tick_bound();
    bool surely_fits = most_ticks < wav_first_tick_past_limit() &&
                       wav_tick_sample(most_ticks) + render.tone_samples <= WAV_MAX_SAMPLES;
    if (!surely_fits && !wav_time_ahead())
        return EXIT_FAILED;
    if (!wav_write_file())
        return EXIT_FAILED;
    const RenderPlan& plan = render.plan;
    std::printf("wrote %s: %lld tones (%lld silent), %.2f s at %d Hz\n", render.options.output_path,
                static_cast<long long>(plan.tones_started), static_cast<long long>(plan.tones_silent),
                static_cast<double>(plan.total_samples) / render.options.rate_hz, render.options.rate_hz);
    return EXIT_OK;
}
