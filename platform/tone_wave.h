// The samples of one tone: a square wave of the tone's frequency, BEEP_MS long, at a moderate
// level. Frequencies the tone generator refuses (outside 37..32767 Hz) are silence. Filled a
// block at a time, so a stream can feed it into whatever buffers it has.
#pragma once

#include <cstdint>

constexpr int TONE_MIN_HZ = 37;
constexpr int TONE_MAX_HZ = 32767;
constexpr int16_t TONE_LEVEL = 6000;  // about -15 dB of full scale

struct ToneWave {
    uint32_t phase;          // position in the current period, a full period being 2^32
    uint32_t phase_step;     // phase advance per sample
    int32_t samples_left;    // samples of the tone still to come; 0 when silent
};

// 1 if the tone generator sounds this frequency.
int tone_is_audible(int frequency_hz);
// Starts a new tone, replacing whatever was sounding: one speaker sounds one tone.
void tone_wave_start(ToneWave* tone, int frequency_hz, int sample_rate);
// Writes `count` samples: the rest of the tone, then silence. Returns how many were tone.
int32_t tone_wave_fill(ToneWave* tone, int16_t* out, int32_t count);
