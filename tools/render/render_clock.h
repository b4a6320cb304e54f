// The simulated window timer.
#pragma once

#include <cstdint>

// Called after every tick that did not end in a Stop; returns 0 to give up playing.
using AfterTick = int (*)();

// Play, then ticks numbered from 1 until the player asks for Stop; the Stop runs after the
// tick that asked for it, as a posted window command does. Returns that tick, or 0 when
// `after_tick` gave up first (the player is stopped either way).
int64_t render_clock_play(AfterTick after_tick);
