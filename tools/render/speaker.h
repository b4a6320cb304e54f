// The one speaker: a tone sounds for its length unless a newer tone replaces it.
#pragma once

#include <cstdint>

void speaker_reset();
// Writes every sample before `start_sample`, then sounds the new tone from there.
void speaker_start_tone(int64_t start_sample, int32_t frequency_hz);
// Writes every sample before `sample`: the sounding tone where it lasts, silence after it.
void speaker_play_until(int64_t sample);
