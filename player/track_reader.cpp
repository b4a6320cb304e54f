#include "track_reader.h"

// Event bytes are read where they are, past the chunk's stored length if an event straddles it,
// but never past the end of the loaded song. A delta, event or length byte that would lie past
// the song's end cuts the track off: the position moves to the end of the song's bytes and the
// advance finishes the track there, exactly as if its chunk had ended at the end of the file.
//
// An advance works on a cursor (the track's bytes, how many of them the song holds, and the
// position) and writes the position back once, so that the bounds are worked out once per
// advance rather than once per byte: the tick advances every playing track.

struct TrackCursor {
    const unsigned char* bytes;  // the track's first event byte
    int32_t available;           // bytes of the song from there to the end of the file
    int32_t position;
};

static TrackCursor track_cursor(const TrackRecord& track)
{
    int32_t available = player.song_size - track.events;
    if (available <= 0)
        return TrackCursor{nullptr, 0, track.position};
    return TrackCursor{player.song.get() + track.events, available, track.position};
}

// Where reading the track ends: its stored length, or the end of the file if that comes first.
static int32_t track_end(const TrackRecord& track, const TrackCursor& cursor)
{
    return track.length < cursor.available ? track.length : cursor.available;
}

// 1 when `count` bytes from the position lie in the song; otherwise the track is cut off.
static inline int cursor_holds(TrackCursor& cursor, int32_t count)
{
    if (cursor.position >= 0 && cursor.position <= cursor.available - count)
        return 1;
    cursor.position = cursor.available;
    return 0;
}

// An over-long quantity wraps at 32 bits; only whether the result is 0 matters to the reader.
static inline int32_t cursor_read_delta(TrackCursor& cursor)
{
    uint32_t sum = 0;
    while (cursor_holds(cursor, 1)) {
        unsigned char b = cursor.bytes[cursor.position];
        cursor.position++;
        if (b < 0x80) {
            sum += b;
            break;
        }
        sum = (sum + (b - 0x80u)) << 7;
    }
    return static_cast<int32_t>(sum);
}

static inline int note_is_due(int32_t countdown)
{
    return countdown != 0 || player.play_chords != 0;
}

static inline int cursor_decode_event(TrackCursor& cursor, int32_t countdown, int32_t* note_out)
{
    if (!cursor_holds(cursor, 1))
        return 0;
    const unsigned char* event = cursor.bytes + cursor.position;
    unsigned char status = event[0];
    if (status >= 0x80 && status <= 0x8F) {
        cursor.position += 3;
        return 0;
    }
    if (status >= 0x90 && status <= 0x9F) {
        if (!cursor_holds(cursor, 3))
            return 0;
        cursor.position += 3;
        if (event[2] == 0)
            return 0;
        *note_out = event[1];
        return note_is_due(countdown);
    }
    if ((status >= 0xA0 && status <= 0xBF) || (status >= 0xE0 && status <= 0xEF)) {
        cursor.position += 3;
        return 0;
    }
    if (status >= 0xC0 && status <= 0xDF) {
        cursor.position += 2;
        return 0;
    }
    // Running status is not remembered: any other byte is the key of a note-on pair.
    if (!cursor_holds(cursor, 2))
        return 0;
    cursor.position += 2;
    if (status < 31 || status > 99 || event[1] == 0)
        return 0;
    *note_out = status;
    return note_is_due(countdown);
}

int32_t track_read_delta(TrackRecord& track)
{
    TrackCursor cursor = track_cursor(track);
    int32_t delta = cursor_read_delta(cursor);
    track.position = cursor.position;
    return delta;
}

int track_decode_event(TrackRecord& track, int32_t* note_out)
{
    TrackCursor cursor = track_cursor(track);
    int result = cursor_decode_event(cursor, track.countdown, note_out);
    track.position = cursor.position;
    return result;
}

static int track_finish(TrackRecord& track, const TrackCursor& cursor)
{
    track.position = cursor.position;
    track.status = TRACK_FINISHED;
    return 0;
}

int track_advance(int t)
{
    TrackRecord& r = player.tracks[t];
    TrackCursor cursor = track_cursor(r);
    const int32_t end = track_end(r, cursor);
    if (end <= cursor.position)
        return track_finish(r, cursor);
    do {
        if (t >= player.track_count)
            return track_finish(r, cursor);
        r.note = 0;
        r.countdown = cursor_read_delta(cursor);
        if (!cursor_holds(cursor, 1))
            break;
        unsigned char status = cursor.bytes[cursor.position];
        if (status == 0xF0) {
            if (!cursor_holds(cursor, 2))
                break;
            cursor.position += 2 + cursor.bytes[cursor.position + 1];
        } else if (status == 0xFF) {
            if (!cursor_holds(cursor, 2))
                break;
            if (cursor.bytes[cursor.position + 1] == 0x2F) {
                r.position = cursor.position;
                r.status = TRACK_FINISHED;
                if (t == player.selected_track)
                    platform_post_stop(player.main_window);
                return 1;
            }
            if (!cursor_holds(cursor, 3))
                break;
            cursor.position += 3 + cursor.bytes[cursor.position + 2];
        } else {
            if (player.even_tempo != 0 || r.countdown != 0)
                r.countdown = NOTE_WAIT_TICKS;
            if (cursor_decode_event(cursor, r.countdown, &r.note) == 1) {
                r.position = cursor.position;
                return 1;
            }
        }
    } while (end > cursor.position);
    return track_finish(r, cursor);
}
