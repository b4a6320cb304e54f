#include "track_reader.h"

// Event bytes are read where they are, past the chunk's stored length if an event straddles it,
// but never past the end of the loaded song. A delta, event or length byte that would lie past
// the song's end cuts the track off: the position moves to the end of the song's bytes and the
// advance finishes the track there, exactly as if its chunk had ended at the end of the file.

// Bytes of the song from the track's first event byte to the end of the file.
static int32_t track_bytes_in_song(const TrackRecord& track)
{
    int32_t available = player.song_size - track.events;
    return available > 0 ? available : 0;
}

// Where reading the track ends: its stored length, or the end of the file if that comes first.
static int32_t track_end(const TrackRecord& track)
{
    int32_t available = track_bytes_in_song(track);
    return track.length < available ? track.length : available;
}

// The byte `ahead` bytes past the position. 1 when it lies in the song; otherwise the track is
// cut off (position at the end of its bytes) and the result is 0.
static int track_peek(TrackRecord& track, int32_t ahead, unsigned char* byte)
{
    int32_t available = track_bytes_in_song(track);
    if (track.position < 0 || track.position >= available - ahead) {
        track.position = available;
        return 0;
    }
    *byte = player.song[static_cast<size_t>(track.events) + static_cast<size_t>(track.position + ahead)];
    return 1;
}

// An over-long quantity wraps at 32 bits; only whether the result is 0 matters to the reader.
int32_t track_read_delta(TrackRecord& track)
{
    uint32_t sum = 0;
    unsigned char b = 0;
    while (track_peek(track, 0, &b)) {
        track.position++;
        if (b < 0x80) {
            sum += b;
            break;
        }
        sum = (sum + (b - 0x80u)) << 7;
    }
    return static_cast<int32_t>(sum);
}

static int note_is_due(const TrackRecord& track)
{
    return track.countdown != 0 || player.play_chords != 0;
}

int track_decode_event(TrackRecord& track, int32_t* note_out)
{
    unsigned char status = 0;
    if (!track_peek(track, 0, &status))
        return 0;
    if (status >= 0x80 && status <= 0x8F) {
        track.position += 3;
        return 0;
    }
    if (status >= 0x90 && status <= 0x9F) {
        unsigned char key = 0;
        unsigned char velocity = 0;
        if (!track_peek(track, 1, &key) || !track_peek(track, 2, &velocity))
            return 0;
        track.position += 3;
        if (velocity == 0)
            return 0;
        *note_out = key;
        return note_is_due(track);
    }
    if ((status >= 0xA0 && status <= 0xBF) || (status >= 0xE0 && status <= 0xEF)) {
        track.position += 3;
        return 0;
    }
    if (status >= 0xC0 && status <= 0xDF) {
        track.position += 2;
        return 0;
    }
    // Running status is not remembered: any other byte is the key of a note-on pair.
    unsigned char velocity = 0;
    if (!track_peek(track, 1, &velocity))
        return 0;
    track.position += 2;
    if (status < 31 || status > 99 || velocity == 0)
        return 0;
    *note_out = status;
    return note_is_due(track);
}

static int track_finish(TrackRecord& track)
{
    track.status = TRACK_FINISHED;
    return 0;
}

int track_advance(int t)
{
    TrackRecord& r = player.tracks[t];
    if (track_end(r) <= r.position)
        return track_finish(r);
    do {
        if (t >= player.track_count)
            return track_finish(r);
        r.note = 0;
        r.countdown = 0;
        r.countdown = track_read_delta(r);
        unsigned char status = 0;
        unsigned char next = 0;
        if (!track_peek(r, 0, &status))
            break;
        if (status == 0xF0) {
            if (!track_peek(r, 1, &next))
                break;
            r.position += 2 + next;
        } else if (status == 0xFF) {
            if (!track_peek(r, 1, &next))
                break;
            if (next == 0x2F) {
                r.status = TRACK_FINISHED;
                if (t == player.selected_track)
                    platform_post_stop(player.main_window);
                return 1;
            }
            unsigned char meta_length = 0;
            if (!track_peek(r, 2, &meta_length))
                break;
            r.position += 3 + meta_length;
        } else {
            if (player.even_tempo != 0 || r.countdown != 0)
                r.countdown = NOTE_WAIT_TICKS;
            if (track_decode_event(r, &r.note) == 1)
                return 1;
        }
    } while (track_end(r) > r.position);
    return track_finish(r);
}
