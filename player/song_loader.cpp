#include "song_loader.h"

#include <cstring>

#include "player_state.h"

int song_unload()
{
    if (player.loaded != 1)
        return 1;
    player.play_mode = MODE_STOPPED;
    player.song.reset();
    player_reset();
    return 1;
}

// A tag whose four length bytes do not all lie in the file gets length 0: it has no event
// bytes either, so the track finishes at its first advance. Tags after the table is full are
// ignored and the song loads with its first MAX_TRACKS tracks.
void song_scan(const unsigned char* data, int32_t size)
{
    int32_t i = 0;
    while (i <= size - 4 && player.track_count < MAX_TRACKS) {
        const void* m = std::memchr(data + i, 'M', static_cast<size_t>(size - 3 - i));
        if (m == nullptr)
            break;
        i = static_cast<int32_t>(static_cast<const unsigned char*>(m) - data);
        if (data[i + 1] == 'T' && data[i + 2] == 'r' && data[i + 3] == 'k') {
            TrackRecord& r = player.tracks[player.track_count];
            player.track_count++;
            std::memset(&r, 0, sizeof r);
            r.events = i + 8;
            if (i + 8 <= size) {
                uint32_t stored = (uint32_t{data[i + 4]} << 24) | (uint32_t{data[i + 5]} << 16) |
                                  (uint32_t{data[i + 6]} << 8) | uint32_t{data[i + 7]};
                r.length = static_cast<int32_t>(stored);
            }
        }
        i++;
    }
    song_find_title(TITLE_SIZE, size, data, player.title);
    if (player.track_count < 2)
        player.selected_track = player.track_count - 1;
}

int song_load(const char* path)
{
    std::unique_ptr<unsigned char[]> bytes;
    int32_t size = 0;
    if (!platform_read_file(path, SONG_MAX_BYTES, bytes, size))
        return 0;
    song_scan(bytes.get(), size);
    player.song = std::move(bytes);
    player.song_size = size;
    player.loaded = 1;
    return 1;
}

// The meta event's length is one byte here, not a variable-length quantity, and the match is
// by bytes only: FF 03 inside any other data counts too.
int song_find_title(int capacity, int32_t size, const unsigned char* data, char* out)
{
    int32_t i = 0;
    while (i < size - 3) {
        const void* ff = std::memchr(data + i, 0xFF, static_cast<size_t>(size - 3 - i));
        if (ff == nullptr)
            return 0;
        i = static_cast<int32_t>(static_cast<const unsigned char*>(ff) - data);
        int32_t text_length = data[i + 2];
        if (data[i + 1] == 0x03 && i + 2 + text_length < size) {
            std::memset(out, 0, static_cast<size_t>(capacity));
            int32_t copied = text_length < capacity - 1 ? text_length : capacity - 1;
            std::memcpy(out, data + i + 3, static_cast<size_t>(copied));
            return 1;
        }
        i++;
    }
    return 0;
}
