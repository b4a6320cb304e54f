#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "player_state.h"
#include "song_fixture.h"
#include "song_loader.h"

namespace {

Bytes text_meta(unsigned char type, const std::string& text)
{
    Bytes meta = {0x00, 0xFF, type, static_cast<unsigned char>(text.size())};
    for (char c : text)
        meta.push_back(static_cast<unsigned char>(c));
    return meta;
}

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes END_OF_TRACK = {0x00, 0xFF, 0x2F, 0x00};

struct LoadCase {
    const char* name;
    Bytes file;
    int32_t track_count;
    int32_t selected_track;
    std::vector<int32_t> lengths;  // empty: not checked
    std::string title;
};

class SongLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SongLoad, FindsTracksSelectionAndTitle)
{
    const LoadCase& c = GetParam();
    ASSERT_EQ(load_song(c.file), 1);
    EXPECT_EQ(player.loaded, 1);
    EXPECT_EQ(player.track_count, c.track_count);
    EXPECT_EQ(player.selected_track, c.selected_track);
    for (size_t i = 0; i < c.lengths.size(); i++)
        EXPECT_EQ(player.tracks[i].length, c.lengths[i]) << "track " << i;
    for (int i = 0; i < player.track_count; i++) {
        EXPECT_EQ(player.tracks[i].position, 0);
        EXPECT_EQ(player.tracks[i].status, TRACK_IDLE);
    }
    EXPECT_EQ(std::string(player.title), c.title);
}

Bytes many_tags(int count)
{
    Bytes file;
    for (int i = 0; i < count; i++) {
        Bytes chunk = track_chunk(END_OF_TRACK);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SongLoad,
    ::testing::Values(
        LoadCase{"Empty", {}, 0, -1, {}, ""},
        LoadCase{"ThreeBytes", {'M', 'T', 'r'}, 0, -1, {}, ""},
        // The length bytes lie beyond the file: the track is kept, with length 0.
        LoadCase{"TagOnly", {'M', 'T', 'r', 'k'}, 1, 0, {0}, ""},
        LoadCase{"TagWithPartOfItsLength", {'M', 'T', 'r', 'k', 0, 0, 1}, 1, 0, {0}, ""},
        LoadCase{"OneTrack", song_bytes({track_chunk(END_OF_TRACK)}), 1, 0, {4}, ""},
        LoadCase{"TwoTracksSelectNone", song_bytes({track_chunk(END_OF_TRACK), track_chunk(END_OF_TRACK)}), 2,
                 2, {4, 4}, ""},
        LoadCase{"ThreeTracks",
                 song_bytes({track_chunk(END_OF_TRACK), track_chunk(Bytes(10, 0)), track_chunk(END_OF_TRACK)}), 3, 2,
                 {4, 10, 4}, ""},
        // A tag inside another chunk's data is a track too, with whatever length follows it.
        LoadCase{"TagInsideText", song_bytes({track_chunk(concat({text_meta(0x01, "MTrk\x01\x02"), END_OF_TRACK}))}),
                 2, 2, {14, 0x010200FF}, ""},
        LoadCase{"TopBitLengthIsNegative", song_bytes({track_chunk_declared(END_OF_TRACK, 0xFFFFFFFEu)}), 1, 0, {-2},
                 ""},
        LoadCase{"LengthPastEndOfFileKept", song_bytes({track_chunk_declared(END_OF_TRACK, 1000)}), 1, 0, {1000},
                 ""},
        // Tags after the table is full are ignored; the song keeps its first 256 tracks.
        LoadCase{"ThreeHundredTags", many_tags(300), MAX_TRACKS, 2, {}, ""},
        LoadCase{"TitleInSecondTrack",
                 song_bytes({track_chunk(END_OF_TRACK), track_chunk(concat({text_meta(0x03, "Song"), END_OF_TRACK}))}),
                 2, 2, {}, "Song"},
        LoadCase{"TitleAfterOtherMeta",
                 song_bytes({track_chunk(concat({text_meta(0x01, "note"), text_meta(0x03, "Name"), END_OF_TRACK}))}),
                 1, 0, {}, "Name"},
        // FF 03 00 gives an empty title and ends the search.
        LoadCase{"EmptyTitleEndsSearch",
                 song_bytes({track_chunk(concat({text_meta(0x03, ""), text_meta(0x03, "Later"), END_OF_TRACK}))}), 1, 0,
                 {}, ""},
        // An FF 03 whose text would run past the end of the file is passed over.
        LoadCase{"TitleRunningPastEndSkipped", {0xFF, 0x03, 0x0A, 0xFF, 0x03, 0x02, 'a', 'b', 0}, 0, -1, {}, "ab"},
        LoadCase{"TitleCutByEndOfFile", {0xFF, 0x03, 0x02, 'a'}, 0, -1, {}, ""},
        LoadCase{"TitleEndingAtLastByte", {0xFF, 0x03, 0x02, 'a', 'b'}, 0, -1, {}, "ab"}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST(SongLoadTitle, LongestTitleIsCopiedWholeAndTerminated)
{
    std::string text(255, 'x');
    text[0] = '%';
    ASSERT_EQ(load_song(song_bytes({track_chunk(concat({text_meta(0x03, text), END_OF_TRACK}))})), 1);
    EXPECT_EQ(std::string(player.title), text);
    EXPECT_EQ(player.title[255], '\0');
}

TEST(SongFindTitle, ShortensToCapacityAndLeavesOutAloneWithoutMatch)
{
    const unsigned char data[] = {0xFF, 0x03, 0x05, 'a', 'b', 'c', 'd', 'e', 0};
    char out[4] = {'z', 'z', 'z', 'z'};
    EXPECT_EQ(song_find_title(4, sizeof data, data, out), 1);
    EXPECT_EQ(std::string(out, 4), std::string("abc\0", 4));

    char untouched[4] = {'q', 'q', 'q', 'q'};
    const unsigned char none[] = {0xFF, 0x01, 0x03, 'a', 'b', 'c'};
    EXPECT_EQ(song_find_title(4, sizeof none, none, untouched), 0);
    EXPECT_EQ(std::string(untouched, 4), "qqqq");
}

TEST(SongLoadFailure, UnreadableFileLeavesPlayerEmpty)
{
    ASSERT_EQ(load_song(song_bytes({track_chunk(END_OF_TRACK)})), 1);
    song_unload();
    EXPECT_EQ(song_load("/nonexistent/tonkle/song.mid"), 0);
    EXPECT_EQ(player.loaded, 0);
    EXPECT_EQ(player.track_count, 0);
    EXPECT_EQ(player.title[0], '\0');
    EXPECT_EQ(player.song, nullptr);
}

TEST(SongUnload, ReplacingASongSwitchesOptionsOffAndResetsSelection)
{
    ASSERT_EQ(load_song(song_bytes({track_chunk(END_OF_TRACK), track_chunk(END_OF_TRACK),
                                    track_chunk(END_OF_TRACK), track_chunk(END_OF_TRACK)})),
              1);
    player.even_tempo = 1;
    player.play_chords = 1;
    player.selected_track = 0;
    player.play_mode = MODE_PLAYING;
    ASSERT_EQ(load_song(song_bytes({track_chunk(END_OF_TRACK), track_chunk(END_OF_TRACK),
                                    track_chunk(END_OF_TRACK)})),
              1);
    EXPECT_EQ(player.even_tempo, 0);
    EXPECT_EQ(player.play_chords, 0);
    EXPECT_EQ(player.selected_track, 2);
    EXPECT_EQ(player.play_mode, MODE_STOPPED);
}

TEST(SongUnload, WithNothingLoadedChangesNothing)
{
    song_unload();
    player.play_mode = MODE_PLAYING;
    player.even_tempo = 1;
    song_unload();
    EXPECT_EQ(player.play_mode, MODE_PLAYING);
    EXPECT_EQ(player.even_tempo, 1);
    player_reset();
}

TEST(PlayerReset, NoteNamesAreCodePage932)
{
    player_reset();
    const char* expected[12] = {
        "\x83\x68", "\x83\x68\x81\x94", "\x83\x8C", "\x83\x8C\x81\x94", "\x83\x7E", "\x83\x74\x83\x40",
        "\x83\x74\x83\x40\x81\x94", "\x83\x5C", "\x83\x5C\x81\x94", "\x83\x89", "\x83\x89\x81\x94", "\x83\x56"};
    for (int i = 0; i < 12; i++)
        EXPECT_STREQ(player.note_names[i], expected[i]) << "pitch class " << i;
}

TEST(PlayerReset, KeepsMainWindowAndClearsTheRest)
{
    int window_stand_in = 0;
    player.main_window = &window_stand_in;
    player.track_count = 5;
    player.loaded = 1;
    player.tracks[3].note = 60;
    std::strcpy(player.title, "old");
    player_reset();
    EXPECT_EQ(player.main_window, &window_stand_in);
    EXPECT_EQ(player.track_count, 0);
    EXPECT_EQ(player.loaded, 0);
    EXPECT_EQ(player.tracks[3].note, 0);
    EXPECT_EQ(player.title[0], '\0');
    EXPECT_EQ(player.selected_track, 2);
    EXPECT_EQ(player.play_mode, MODE_STOPPED);
    player.main_window = nullptr;
}

}  // namespace
