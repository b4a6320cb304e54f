#include "player_state.h"

#include <cstring>

PlayerState player;

// Pitch-class names as code page 932 bytes; the sharp is the full-width one.
static const char* const NOTE_NAMES[12] = {
    "\x83\x68",                  // ド
    "\x83\x68\x81\x94",          // ド＃
    "\x83\x8C",                  // レ
    "\x83\x8C\x81\x94",          // レ＃
    "\x83\x7E",                  // ミ
    "\x83\x74\x83\x40",          // ファ
    "\x83\x74\x83\x40\x81\x94",  // ファ＃
    "\x83\x5C",                  // ソ
    "\x83\x5C\x81\x94",          // ソ＃
    "\x83\x89",                  // ラ
    "\x83\x89\x81\x94",          // ラ＃
    "\x83\x56",                  // シ
};

// Leaves `song` alone (callers release it first) and keeps `main_window`.
int player_reset()
{
    player.track_count = 0;
    player.selected_track = 2;
    player.play_mode = MODE_STOPPED;
    player.song_size = 0;
    std::memset(player.tracks, 0, sizeof player.tracks);
    std::memset(player.title, 0, sizeof player.title);
    player.loaded = 0;
    player.even_tempo = 0;
    player.play_chords = 0;
    for (int i = 0; i < 12; i++) {
        std::memset(player.note_names[i], 0, NOTE_NAME_SIZE);
        std::memcpy(player.note_names[i], NOTE_NAMES[i], std::strlen(NOTE_NAMES[i]));
    }
    return 1;
}
