#include "tone_wave.h"

#include "playback_clock.h"

int tone_is_audible(int frequency_hz)
{
    return frequency_hz >= TONE_MIN_HZ && frequency_hz <= TONE_MAX_HZ;
}

// A refused frequency does not touch the speaker: the tone that sounds goes on.
void tone_wave_start(ToneWave* tone, int frequency_hz, int sample_rate)
{
    if (!tone_is_audible(frequency_hz) || sample_rate <= 0)
        return;
    tone->phase = 0;
    tone->phase_step = static_cast<uint32_t>((uint64_t{static_cast<uint32_t>(frequency_hz)} << 32) /
                                             static_cast<uint64_t>(sample_rate));
    tone->samples_left = static_cast<int32_t>(int64_t{sample_rate} * BEEP_MS / 1000);
}

int32_t tone_wave_fill(ToneWave* tone, int16_t* out, int32_t count)
{
    int32_t sounding = tone->samples_left < count ? tone->samples_left : count;
    for (int32_t i = 0; i < sounding; i++) {
        out[i] = (tone->phase & 0x80000000u) != 0 ? static_cast<int16_t>(-TONE_LEVEL) : TONE_LEVEL;
        tone->phase += tone->phase_step;
    }
    for (int32_t i = sounding; i < count; i++)
        out[i] = 0;
    tone->samples_left -= sounding;
    return sounding;
}
