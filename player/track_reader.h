// Reading a track forward one step at a time: delta times (only whether they are zero), note-on
// events, running-status note-ons in a fixed key range, and the lengths of everything else.
#pragma once

#include <cstdint>

#include "player_state.h"

constexpr int32_t NOTE_WAIT_TICKS = 10;  // the wait after a note whose delta is not zero

int32_t track_read_delta(TrackRecord& track);
int track_decode_event(TrackRecord& track, int32_t* note_out);
int track_advance(int t);
