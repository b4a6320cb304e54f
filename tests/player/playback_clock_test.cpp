#include <gtest/gtest.h>

#include <utility>

#include "playback_clock.h"
#include "player_state.h"
#include "song_fixture.h"
#include "song_loader.h"

namespace {

const Bytes END_OF_TRACK = {0x00, 0xFF, 0x2F, 0x00};

// One tone the player started: the tick it was started in and its frequency.
using Tone = std::pair<int, int>;

struct PlayResult {
    std::vector<Tone> tones;
    int stop_tick;  // the tick after which the posted Stop ran; 0 when none came
};

// Plays like the main window does: ticks numbered from 1 after Play, and a posted Stop carried
// out after the tick that posted it.
PlayResult play_until_stop(int max_ticks)
{
    PlayResult run{{}, 0};
    recording_clear();
    player_play();
    for (int tick = 1; tick <= max_ticks; tick++) {
        size_t before = recording.tone_frequencies.size();
        player_tick(nullptr);
        for (size_t i = before; i < recording.tone_frequencies.size(); i++)
            run.tones.emplace_back(tick, recording.tone_frequencies[i]);
        if (recording.stop_posts > 0) {
            player_stop();
            run.stop_tick = tick;
            break;
        }
    }
    return run;
}

TEST(NoteFrequency, DocumentedValues)
{
    const std::pair<int, int> expected[] = {{72, 262}, {60, 131}, {69, 220}, {67, 196}, {0, 4},
                                            {96, 1047}, {108, 2095}, {39, 38}, {38, 36}};
    for (auto [note, hertz] : expected)
        EXPECT_EQ(note_frequency(note), hertz) << "note " << note;
}

TEST(PlayerTick, SongWithNoTracksStopsAtTheFirstTick)
{
    ASSERT_EQ(load_song({'M', 'T', 'h', 'd'}), 1);
    PlayResult run = play_until_stop(10);
    EXPECT_EQ(run.stop_tick, 1);
    EXPECT_TRUE(run.tones.empty());
}

TEST(PlayerTick, NotesHoldTheirTrackForElevenTicks)
{
    // Track 0 is the selected one (a single track): notes 72 and 60 with non-zero deltas.
    ASSERT_EQ(load_song(song_bytes({track_chunk({0x01, 0x90, 72, 100, 0x01, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00})})), 1);
    PlayResult run = play_until_stop(100);
    std::vector<Tone> expected = {{1, 262}, {12, 131}, {23, 4}};
    EXPECT_EQ(run.tones, expected);
    EXPECT_EQ(run.stop_tick, 23);
}

TEST(PlayerTick, SelectedEndOfTrackStopsAtOnceWhileOthersPlay)
{
    ASSERT_EQ(load_song(song_bytes({track_chunk({0x01, 0x90, 60, 100, 0x01, 0x90, 62, 100}), track_chunk(END_OF_TRACK),
                                    track_chunk(END_OF_TRACK)})),
              1);
    ASSERT_EQ(player.selected_track, 2);
    PlayResult run = play_until_stop(100);
    std::vector<Tone> expected = {{1, 4}};
    EXPECT_EQ(run.tones, expected);
    EXPECT_EQ(run.stop_tick, 1);
    EXPECT_EQ(player.play_mode, MODE_STOPPED);
}

TEST(PlayerTick, ChunkEndingAfterASoundedNoteSoundsItTwice)
{
    ASSERT_EQ(load_song(song_bytes({track_chunk({0x01, 0x90, 69, 100})})), 1);
    PlayResult run = play_until_stop(100);
    // Found on tick 1; the advance on tick 12 finishes the track and leaves the note; tick 13
    // finds nothing playing.
    std::vector<Tone> expected = {{1, 220}, {12, 220}};
    EXPECT_EQ(run.tones, expected);
    EXPECT_EQ(run.stop_tick, 13);
}

TEST(PlayerTick, NoSelectedTrackAdvancesAllSilentlyAndStopsAfterTheLast)
{
    const Bytes two_notes = {0x01, 0x90, 60, 100, 0x01, 0x90, 62, 100};
    for (int32_t selected : {-1, 2, 7}) {
        ASSERT_EQ(load_song(song_bytes({track_chunk(two_notes), track_chunk({0x01, 0x90, 60, 100})})), 1);
        player.selected_track = selected;
        std::vector<std::pair<int, int32_t>> refreshed;
        static std::vector<std::pair<int, int32_t>>* sink;
        sink = &refreshed;
        recording_clear();
        player_play();
        int tick = 0;
        while (recording.stop_posts == 0 && tick < 100) {
            tick++;
            player_tick([](int track, int32_t status) { sink->emplace_back(track, status); });
        }
        EXPECT_TRUE(recording.tone_frequencies.empty()) << "selected " << selected;
        // Track 0 finishes on tick 23 (two notes, then running out); one tick later nothing plays.
        EXPECT_EQ(tick, 24) << "selected " << selected;
        ASSERT_FALSE(refreshed.empty());
        EXPECT_EQ(refreshed.back(), std::make_pair(0, int32_t{TRACK_FINISHED}));
        EXPECT_EQ(refreshed.front(), std::make_pair(0, int32_t{TRACK_PLAYING}));
    }
}

TEST(PlayerTick, PlayWithNothingLoadedThenOpenStopsAtTheFirstTick)
{
    song_unload();
    player_reset();
    player_play();
    recording_clear();
    player_tick(nullptr);
    EXPECT_EQ(recording.stop_posts, 0);
    ASSERT_EQ(load_song(song_bytes({track_chunk({0x01, 0x90, 60, 100})})), 1);
    EXPECT_EQ(player.play_mode, MODE_PLAYING);
    player_tick(nullptr);
    EXPECT_EQ(recording.stop_posts, 1);
    EXPECT_TRUE(recording.tone_frequencies.empty());
}

TEST(PlayerTick, PlayRestartsEveryTrackFromItsStart)
{
    ASSERT_EQ(load_song(song_bytes({track_chunk({0x01, 0x90, 72, 100, 0x01, 0x90, 60, 100})})), 1);
    PlayResult first = play_until_stop(5);
    ASSERT_EQ(first.tones.size(), 1u);
    player_stop();
    EXPECT_EQ(player.tracks[0].position, 0);
    EXPECT_EQ(player.tracks[0].status, TRACK_PLAYING);
    PlayResult again = play_until_stop(5);
    EXPECT_EQ(again.tones, first.tones);
    // Play while playing restarts too.
    player_play();
    recording_clear();
    player_tick(nullptr);
    EXPECT_EQ(recording.tone_frequencies, std::vector<int>{262});
}

TEST(PlayerTick, StoppedPlayerDoesNothing)
{
    ASSERT_EQ(load_song(song_bytes({track_chunk({0x01, 0x90, 72, 100})})), 1);
    player_play();
    player_stop();
    recording_clear();
    player_tick(nullptr);
    EXPECT_EQ(recording.stop_posts, 0);
    EXPECT_TRUE(recording.tone_frequencies.empty());
    EXPECT_EQ(player.tracks[0].position, 0);
}

TEST(PlayerTick, ChangingTheSelectionTakesEffectAtTheNextAdvance)
{
    ASSERT_EQ(load_song(song_bytes({track_chunk({0x01, 0x90, 60, 100, 0x01, 0x90, 62, 100}),
                                    track_chunk({0x01, 0x90, 72, 100, 0x01, 0x90, 74, 100}),
                                    track_chunk({0x01, 0x90, 69, 100, 0x01, 0x90, 71, 100})})),
              1);
    recording_clear();
    player_play();
    player_tick(nullptr);
    player.selected_track = 0;
    for (int tick = 2; tick <= 12; tick++)
        player_tick(nullptr);
    EXPECT_EQ(recording.tone_frequencies, (std::vector<int>{220, note_frequency(62)}));
}

}  // namespace
