// A quick upper bound on how long a song can play, from its track lengths alone.
#pragma once

#include <cstdint>

// The most ticks the loaded song can play before the Stop. Every advance of a track reads at
// least one byte of it and waits at most NOTE_WAIT_TICKS ticks after, all tracks advance side
// by side, and the tick after the last track finishes asks for Stop.
int64_t render_wav_tick_bound();
