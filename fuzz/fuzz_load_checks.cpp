#include "fuzz_load_checks.h"

#include <cstring>

#include "fuzz_seam.h"
#include "player_state.h"

namespace {

bool is_track_tag(const uint8_t* data, size_t size, size_t i)
{
    return i + 4 <= size && std::memcmp(data + i, "MTrk", 4) == 0;
}

void check_track_table(const uint8_t* data, size_t size)
{
    fuzz_require(player.track_count >= 0 && player.track_count <= MAX_TRACKS,
                 "track_count outside 0..MAX_TRACKS");
    int32_t expected = 0;
    for (size_t i = 0; i < size; i++) {
        if (!is_track_tag(data, size, i))
            continue;
        if (expected == MAX_TRACKS)
            break;
        const TrackRecord& r = player.tracks[expected];
        fuzz_require(r.events == static_cast<int32_t>(i + 8), "track does not start 8 bytes after its tag");
        int32_t stored = 0;
        // A tag whose length bytes run past the file has length 0.
        if (i + 8 <= size) {
            uint32_t raw = (uint32_t{data[i + 4]} << 24) | (uint32_t{data[i + 5]} << 16) |
                           (uint32_t{data[i + 6]} << 8) | uint32_t{data[i + 7]};
            stored = static_cast<int32_t>(raw);
        }
        fuzz_require(r.length == stored, "track length differs from the stored chunk length");
        fuzz_require(r.position == 0 && r.countdown == 0 && r.note == 0 && r.status == TRACK_IDLE,
                     "a freshly loaded track is not idle at its start");
        expected++;
    }
    fuzz_require(player.track_count == expected, "track_count differs from the number of tags");
}

void check_title(const uint8_t* data, size_t size)
{
    fuzz_require(std::memchr(player.title, 0, TITLE_SIZE) != nullptr, "title not NUL-terminated");
    size_t title_length = std::strlen(player.title);
    for (size_t i = 0; i + 3 < size; i++) {
        if (data[i] != 0xFF || data[i + 1] != 0x03)
            continue;
        size_t text_length = data[i + 2];
        if (i + 2 + text_length >= size)
            continue;
        // The title is the text up to its first NUL byte, if the text holds one.
        const void* nul = std::memchr(data + i + 3, 0, text_length);
        size_t visible = nul != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - (data + i + 3))
                                        : text_length;
        fuzz_require(title_length == visible, "title length differs from the first track-name event");
        fuzz_require(std::memcmp(player.title, data + i + 3, visible) == 0,
                     "title differs from the first track-name event");
        return;
    }
    fuzz_require(title_length == 0, "title found where the file has no track-name event");
}

}  // namespace

void fuzz_check_loaded_song(const uint8_t* data, size_t size)
{
    fuzz_require(player.loaded == 1, "song not loaded");
    fuzz_require(player.song != nullptr, "loaded song has no bytes");
    fuzz_require(player.song_size == static_cast<int32_t>(size), "song size differs from the file size");
    check_track_table(data, size);
    check_title(data, size);
    int32_t expected_selection = player.track_count < 2 ? player.track_count - 1 : 2;
    fuzz_require(player.selected_track == expected_selection, "selection after load is wrong");
    fuzz_require(player.even_tempo == 0 && player.play_chords == 0, "options not off after load");
}
