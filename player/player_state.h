// The player's one process-wide record: the loaded song, its track table, the title and the
// playback options. Only the user-interface thread touches it.
#pragma once

#include <cstdint>
#include <memory>

#include "platform.h"

constexpr int MAX_TRACKS = 256;
constexpr int TITLE_SIZE = 256;
constexpr int NOTE_NAME_SIZE = 8;  // longest name is 6 code page 932 bytes, plus the NUL

// A song larger than this is refused by the loader: every offset into the song is a signed
// 32-bit number, and an event may step a few hundred bytes past the last one.
constexpr int64_t SONG_MAX_BYTES = INT32_MAX - 0x10000;

enum TrackStatus : int32_t { TRACK_IDLE = 0, TRACK_FINISHED = 1, TRACK_PLAYING = 2 };
enum PlayMode : int16_t { MODE_STOPPED = 1, MODE_PLAYING = 2 };

struct TrackRecord {
    int32_t events;     // offset in the song of the track's first event byte ("MTrk" + 8)
    int32_t length;     // chunk length as stored, read as signed; may be negative or too large
    int32_t position;   // next byte to read, counted from `events`
    int32_t countdown;  // timer ticks to wait before the next advance
    int32_t note;       // key found by the last advance, 0 when none
    int32_t status;     // TrackStatus
};

struct PlayerState {
    std::unique_ptr<unsigned char[]> song;  // the whole file, none when nothing is loaded
    int32_t song_size;
    int32_t track_count;
    TrackRecord tracks[MAX_TRACKS];
    char title[TITLE_SIZE];  // raw bytes of the file's first track-name meta event
    int32_t loaded;
    int16_t play_mode;
    int32_t selected_track;  // the one sounded track; may be -1 or name no track
    int32_t even_tempo;
    int32_t play_chords;
    char note_names[12][NOTE_NAME_SIZE];  // pitch classes C..B in code page 932
    MainWindow main_window;
};

extern PlayerState player;

int player_reset();
