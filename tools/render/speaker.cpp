#include "speaker.h"

#include "render_state.h"
#include "wav_writer.h"

void speaker_reset()
{
    render.speaker = Speaker{};
}

void speaker_play_until(int64_t sample)
{
    Speaker& s = render.speaker;
    if (s.cursor < s.tone_end && s.cursor < sample) {
        int64_t tone_until = s.tone_end < sample ? s.tone_end : sample;
        wav_put_square(s.cursor - s.tone_start, tone_until - s.cursor, s.frequency_hz, render.options.rate_hz);
        s.cursor = tone_until;
    }
    if (s.cursor < sample) {
        wav_put_silence(sample - s.cursor);
        s.cursor = sample;
    }
}

void speaker_start_tone(int64_t start_sample, int32_t frequency_hz)
{
    speaker_play_until(start_sample);
    Speaker& s = render.speaker;
    s.tone_start = start_sample;
    s.tone_end = start_sample + render.tone_samples;
    s.frequency_hz = frequency_hz;
}
