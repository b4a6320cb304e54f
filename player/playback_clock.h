// The playback clock: Play, Stop, the timer tick that advances every playing track in step,
// and the tone for the one selected track.
#pragma once

#include <cstdint>

constexpr int BEEP_MS = 20;       // length of every tone
constexpr int TIMER_PLAYER = 1;   // the window timer that drives player_tick
constexpr int TIMER_PERIOD_MS = 1;

// Called after every advance so that a view can show the track's new note.
using NoteRefresh = void (*)(int track, int32_t status);

int player_play();
int player_stop();
int player_tick(NoteRefresh refresh);
int note_frequency(int32_t note);
int sound_selected_note();
