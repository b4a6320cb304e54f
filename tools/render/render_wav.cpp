// The song is played twice on the simulated clock. The first run only counts: how many tones,
// when the last one ends and when the Stop comes, so that a render too long for a WAV file is
// refused before anything is written and the header is right from the start. The second run
// streams the samples. Both runs start from Play with the same options, so they tick alike.
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
#include "speaker.h"
#include "wav_writer.h"

constexpr int TONE_MIN_HZ = 37;  // the speaker refuses anything outside this range
constexpr int TONE_MAX_HZ = 32767;
constexpr int64_t TICKS_BETWEEN_PROGRESS_CHECKS = 1024;

static bool tone_is_audible(int frequency_hz)
{
    return frequency_hz >= TONE_MIN_HZ && frequency_hz <= TONE_MAX_HZ;
}

// Tick k sounds k × MS milliseconds after Play; its first sample is the one at or before then.
static int64_t wav_tick_sample(int64_t tick)
{
    return tick * render.options.tick_us * render.options.rate_hz / MICROSECONDS_PER_SECOND;
}

static void wav_plan_tone(int frequency_hz)
{
    RenderPlan& plan = render.plan;
    plan.tones_started++;
    if (!tone_is_audible(frequency_hz)) {
        plan.tones_silent++;
        return;
    }
    plan.last_tone_end = wav_tick_sample(render.tick) + render.tone_samples;
    if (plan.last_tone_end > WAV_MAX_SAMPLES)
        plan.too_long = 1;
}

static int wav_plan_after_tick()
{
    RenderPlan& plan = render.plan;
    // Checked before the next tick runs, so no sample position past the limit is ever computed
    // and the products in wav_tick_sample stay far inside 64 bits.
    if (plan.too_long || wav_tick_sample(render.tick + 1) > WAV_MAX_SAMPLES) {
        plan.too_long = 1;
        return 0;
    }
    if (render.tick % TICKS_BETWEEN_PROGRESS_CHECKS == 0 && render_progress_due()) {
        char text[64];
        std::snprintf(text, sizeof text, "%.0f s of playback so far",
                      static_cast<double>(wav_tick_sample(render.tick)) / render.options.rate_hz);
        render_progress_show(text);
    }
    return 1;
}

static void wav_render_tone(int frequency_hz)
{
    if (tone_is_audible(frequency_hz))
        speaker_start_tone(wav_tick_sample(render.tick), frequency_hz);
}

static int wav_render_after_tick()
{
    if (render.tick % TICKS_BETWEEN_PROGRESS_CHECKS != 0)
        return 1;
    if (render.wav.failed)
        return 0;
    if (render_progress_due()) {
        char text[PATH_BYTES + 16];
        std::snprintf(text, sizeof text, "%s %3d%%", render.options.output_path,
                      static_cast<int>(render.speaker.cursor * 100 / render.plan.total_samples));
        render_progress_show(text);
    }
    return 1;
}

static int wav_plan()
{
    render.plan = RenderPlan{};
    render.tone_sink = wav_plan_tone;
    render_progress_begin("timing");
    render.plan.stop_tick = render_clock_play(wav_plan_after_tick);
    render_progress_end();
    render.tone_sink = nullptr;
    RenderPlan& plan = render.plan;
    if (plan.too_long) {
        double hours = static_cast<double>(WAV_MAX_SAMPLES) / render.options.rate_hz / 3600;
        std::fprintf(stderr,
                     "tonkle-render: %s: the song plays longer than a WAV file can hold (4 GiB, %.1f hours "
                     "at %d Hz); use a lower --rate or a smaller --tick-ms\n",
                     render.options.output_path, hours, render.options.rate_hz);
        return 0;
    }
    int64_t stop_sample = wav_tick_sample(plan.stop_tick);
    plan.total_samples = plan.last_tone_end > stop_sample ? plan.last_tone_end : stop_sample;
    return 1;
}

static void wav_discard_temp(FILE* file)
{
    if (file != nullptr)
        std::fclose(file);
    render_os_remove(render.temp_path);
    render.temp_exists = 0;
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
    wav_begin(file, render.options.rate_hz, render.plan.total_samples);
    speaker_reset();
    render.tone_sink = wav_render_tone;
    render_progress_begin("writing");
    int64_t stop_tick = render_clock_play(wav_render_after_tick);
    render.tone_sink = nullptr;
    if (stop_tick == render.plan.stop_tick)
        speaker_play_until(render.plan.total_samples);
    render_progress_end();
    // The stream is closed on every path; only the first failure is reported.
    bool failed = false;
    int error_number = 0;
    if (!wav_flush()) {
        failed = true;
        error_number = render.wav.error_number;
        std::fclose(file);
    } else if (std::fclose(file) != 0) {
        failed = true;
        error_number = errno;
    }
    if (failed) {
        std::fprintf(stderr, "tonkle-render: cannot write '%s': %s\n", target, std::strerror(error_number));
        wav_discard_temp(nullptr);
        return 0;
    }
    // Both runs start from Play with the same song and options, so they must agree.
    if (stop_tick != render.plan.stop_tick || render.wav.samples_written != render.plan.total_samples) {
        std::fprintf(stderr, "tonkle-render: cannot write '%s': the second run of the song differed from the first\n",
                     target);
        wav_discard_temp(nullptr);
        return 0;
    }
    if (!render_os_replace(render.temp_path, target, reason, sizeof reason)) {
        std::fprintf(stderr, "tonkle-render: cannot write '%s': %s\n", target, reason);
        wav_discard_temp(nullptr);
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
    if (!wav_plan())
        return EXIT_FAILED;
    if (!wav_write_file())
        return EXIT_FAILED;
    const RenderPlan& plan = render.plan;
    std::printf("wrote %s: %lld tones (%lld silent), %.2f s at %d Hz\n", render.options.output_path,
                static_cast<long long>(plan.tones_started), static_cast<long long>(plan.tones_silent),
                static_cast<double>(plan.total_samples) / render.options.rate_hz, render.options.rate_hz);
    return EXIT_OK;
}
