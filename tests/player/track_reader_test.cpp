#include <gtest/gtest.h>

#include "playback_clock.h"
#include "player_state.h"
#include "song_fixture.h"
#include "track_reader.h"

namespace {

// Loads one song made of the given track chunks, ready to advance: every track playing from
// its start, options as given.
void start_song(const std::vector<Bytes>& chunks, int even_tempo = 0, int play_chords = 0)
{
    ASSERT_EQ(load_song(song_bytes(chunks)), 1);
    player.even_tempo = even_tempo;
    player.play_chords = play_chords;
    player_play();
    recording_clear();
}

TEST(TrackReadDelta, VariableLengthQuantities)
{
    struct Case {
        Bytes bytes;
        int32_t value;
        int32_t position;
    } cases[] = {
        {{0x00, 0x90}, 0, 1},
        {{0x7F, 0x90}, 127, 1},
        {{0x81, 0x00, 0x90}, 128, 2},
        {{0x81, 0x80, 0x00, 0x90}, 16384, 3},
        {{0xFF, 0xFF, 0xFF, 0x7F}, 0x0FFFFFFF, 4},
        // An over-long quantity wraps at 32 bits.
        {{0x81, 0x80, 0x80, 0x80, 0x80, 0x00}, 0, 6},
        {{0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, -1, 5},
    };
    for (const Case& c : cases) {
        start_song({track_chunk(c.bytes)});
        EXPECT_EQ(track_read_delta(player.tracks[0]), c.value);
        EXPECT_EQ(player.tracks[0].position, c.position);
    }
}

TEST(TrackReadDelta, StopsAtTheEndOfTheFile)
{
    start_song({track_chunk_declared({0x81, 0x82}, 100)});
    EXPECT_EQ(track_read_delta(player.tracks[0]), (1 << 14) | (2 << 7));
    EXPECT_EQ(player.tracks[0].position, 2);
}

struct AdvanceCase {
    const char* name;
    Bytes events;
    int even_tempo;
    int play_chords;
    int result;
    int32_t note;
    int32_t countdown;
    int32_t status;
    int32_t position;
};

class TrackAdvance : public ::testing::TestWithParam<AdvanceCase> {};

TEST_P(TrackAdvance, FirstAdvanceStopsWhereItShould)
{
    const AdvanceCase& c = GetParam();
    start_song({track_chunk(c.events)}, c.even_tempo, c.play_chords);
    player.selected_track = 1;  // not this track: no Stop is expected
    EXPECT_EQ(track_advance(0), c.result);
    const TrackRecord& r = player.tracks[0];
    EXPECT_EQ(r.note, c.note);
    EXPECT_EQ(r.countdown, c.countdown);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.position, c.position);
    EXPECT_EQ(recording.stop_posts, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Events, TrackAdvance,
    ::testing::Values(
        AdvanceCase{"NoteOffThenNoteOn", {0x00, 0x80, 0x3C, 0x40, 0x10, 0x90, 0x3E, 0x64, 0x00, 0xFF, 0x2F, 0x00},
                    0, 0, 1, 62, 10, TRACK_PLAYING, 8},
        AdvanceCase{"ChordTonesReadOverThenLastOneKept",
                    {0x00, 0x90, 60, 100, 0x60, 0x90, 60, 0, 0x00, 0x90, 62, 100}, 0, 0, 0, 62, 0, TRACK_FINISHED, 12},
        AdvanceCase{"ChordToneWithPlayChords", {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00}, 0, 1, 1, 60, 0,
                    TRACK_PLAYING, 4},
        AdvanceCase{"ChordToneWithEvenTempo", {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00}, 1, 0, 1, 60, 10,
                    TRACK_PLAYING, 4},
        AdvanceCase{"RunningStatusBelowRangeSkipped", {0x05, 0x1E, 0x40}, 0, 0, 0, 0, 10, TRACK_FINISHED, 3},
        AdvanceCase{"RunningStatusAboveRangeSkipped", {0x05, 0x64, 0x40}, 0, 0, 0, 0, 10, TRACK_FINISHED, 3},
        AdvanceCase{"RunningStatusLowestKey", {0x05, 0x1F, 0x40, 0x00}, 0, 0, 1, 31, 10, TRACK_PLAYING, 3},
        AdvanceCase{"RunningStatusHighestKey", {0x05, 0x63, 0x40, 0x00}, 0, 0, 1, 99, 10, TRACK_PLAYING, 3},
        AdvanceCase{"RunningStatusVelocityZero", {0x05, 0x40, 0x00}, 0, 0, 0, 0, 10, TRACK_FINISHED, 3},
        AdvanceCase{"NoteOnVelocityZero", {0x05, 0x90, 0x40, 0x00}, 0, 0, 0, 0, 10, TRACK_FINISHED, 4},
        AdvanceCase{"KeyTakenWithoutRangeCheck", {0x05, 0x93, 0xC8, 0x01, 0x00}, 0, 0, 1, 200, 10, TRACK_PLAYING, 4},
        AdvanceCase{"ControllerProgramPitchSkipped",
                    {0x00, 0xB0, 0x07, 0x64, 0x00, 0xC0, 0x05, 0x00, 0xE0, 0x00, 0x40, 0x01, 0x90, 0x40, 0x50}, 0, 0,
                    1, 0x40, 10, TRACK_PLAYING, 15},
        AdvanceCase{"SysexAndMetaSkippedByOneByteLength",
                    {0x00, 0xF0, 0x02, 0x7E, 0xF7, 0x00, 0xFF, 0x01, 0x02, 'h', 'i', 0x01, 0x90, 0x45, 0x40}, 0, 0, 1,
                    0x45, 10, TRACK_PLAYING, 15},
        AdvanceCase{"EndOfTrackLeavesNoteZero", {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00}, 0, 0, 1, 0, 0,
                    TRACK_FINISHED, 5},
        AdvanceCase{"RunsOutWithoutEndOfTrack", {0x00, 0xB0, 0x07, 0x64}, 0, 0, 0, 0, 0, TRACK_FINISHED, 4},
        AdvanceCase{"EmptyChunk", {}, 0, 0, 0, 0, 0, TRACK_FINISHED, 0}),
    [](const ::testing::TestParamInfo<AdvanceCase>& info) { return std::string(info.param.name); });

TEST(TrackAdvanceChords, PlayChordsGivesOneAdvancePerChordTone)
{
    start_song({track_chunk({0x00, 0x90, 60, 100, 0x00, 64, 100, 0x00, 67, 100, 0x00, 0xFF, 0x2F, 0x00})}, 0, 1);
    for (int32_t key : {60, 64, 67}) {
        EXPECT_EQ(track_advance(0), 1);
        EXPECT_EQ(player.tracks[0].note, key);
        EXPECT_EQ(player.tracks[0].countdown, 0);
        EXPECT_EQ(player.tracks[0].status, TRACK_PLAYING);
    }
}

TEST(TrackAdvanceEnd, EndOfTrackPostsStopOnlyForTheSelectedTrack)
{
    const Bytes end = {0x00, 0xFF, 0x2F, 0x00};
    start_song({track_chunk(end), track_chunk(end), track_chunk(end)});
    track_advance(0);
    EXPECT_EQ(recording.stop_posts, 0);
    EXPECT_EQ(player.tracks[0].status, TRACK_FINISHED);
    track_advance(2);
    EXPECT_EQ(recording.stop_posts, 1);
    EXPECT_EQ(player.tracks[2].status, TRACK_FINISHED);
}

TEST(TrackAdvanceEnd, TrackAtItsEndKeepsItsNote)
{
    start_song({track_chunk({0x00, 0x90, 60, 100})});
    track_advance(0);
    ASSERT_EQ(player.tracks[0].note, 60);
    ASSERT_EQ(player.tracks[0].status, TRACK_FINISHED);
    EXPECT_EQ(track_advance(0), 0);
    EXPECT_EQ(player.tracks[0].note, 60);
}

TEST(TrackAdvanceEnd, ZeroOrNegativeLengthFinishesWithoutReading)
{
    for (uint32_t declared : {0u, 0x80000000u, 0xFFFFFFFFu}) {
        start_song({track_chunk_declared({0x00, 0x90, 60, 100}, declared)});
        EXPECT_EQ(track_advance(0), 0);
        EXPECT_EQ(player.tracks[0].status, TRACK_FINISHED);
        EXPECT_EQ(player.tracks[0].position, 0);
        EXPECT_EQ(player.tracks[0].note, 0);
    }
}

// Events cut off by the end of the file finish the track there; nothing past the loaded bytes
// is read (the sanitizer build checks that too).
TEST(TrackAdvanceCut, EventsCutByTheEndOfTheFileFinishTheTrack)
{
    const Bytes cut_events[] = {
        {0x05, 0x90, 0x3C},        // note-on without its velocity
        {0x05, 0x90},              // note-on without key and velocity
        {0x05, 0x40},              // running-status pair without its velocity
        {0x05, 0x81},              // delta cut in the middle
        {0x05},                    // delta with no event after it
        {0x00, 0xFF},              // meta without its type
        {0x00, 0xFF, 0x01},        // meta without its length
        {0x00, 0xFF, 0x01, 0x09},  // meta whose text runs past the end
        {0x00, 0xF0},              // sysex without its length
        {0x00, 0xF0, 0x40, 0x01},  // sysex whose data runs past the end
        {0x00, 0x80, 0x3C},        // note-off without its velocity
    };
    for (const Bytes& events : cut_events) {
        start_song({track_chunk_declared(events, 0x1000)});
        EXPECT_EQ(track_advance(0), 0);
        EXPECT_EQ(player.tracks[0].status, TRACK_FINISHED);
        EXPECT_EQ(player.tracks[0].note, 0);
        EXPECT_EQ(recording.stop_posts, 0);
    }
}

TEST(TrackAdvanceCut, DeclaredLengthPastTheFilePlaysTheBytesThereAre)
{
    start_song({track_chunk_declared({0x05, 0x90, 0x3C, 0x40, 0x00, 0x90, 0x3E, 0x40}, 5000)}, 0, 0);
    EXPECT_EQ(track_advance(0), 1);
    EXPECT_EQ(player.tracks[0].note, 0x3C);
    // The delta-0 note is the last event in the file: the track finishes keeping it, as it
    // would at the end of a chunk.
    EXPECT_EQ(track_advance(0), 0);
    EXPECT_EQ(player.tracks[0].note, 0x3E);
    EXPECT_EQ(player.tracks[0].status, TRACK_FINISHED);
}

TEST(TrackAdvanceCut, TagInTheLastBytesOfTheFileFinishesAtOnce)
{
    for (Bytes file : {Bytes{'M', 'T', 'r', 'k'}, Bytes{'M', 'T', 'r', 'k', 0, 0, 0, 9}}) {
        ASSERT_EQ(load_song(file), 1);
        player_play();
        EXPECT_EQ(track_advance(0), 0);
        EXPECT_EQ(player.tracks[0].status, TRACK_FINISHED);
        EXPECT_EQ(player.tracks[0].note, 0);
    }
}

// An event that straddles the stored chunk end is read whole from the bytes that follow it.
TEST(TrackAdvanceCut, EventStraddlingTheChunkEndIsReadFromTheFile)
{
    Bytes events = {0x05, 0x90, 0x3C, 0x40};
    start_song({track_chunk_declared(events, 2), track_chunk({0x00, 0xFF, 0x2F, 0x00})});
    EXPECT_EQ(track_advance(0), 1);
    EXPECT_EQ(player.tracks[0].note, 0x3C);
    EXPECT_EQ(player.tracks[0].position, 4);
}

TEST(TrackAdvanceSelection, TrackPastTheCountFinishesWithoutReading)
{
    start_song({track_chunk({0x05, 0x90, 0x3C, 0x40})});
    player.tracks[1].length = 4;
    player.tracks[1].events = player.tracks[0].events;
    EXPECT_EQ(track_advance(1), 0);
    EXPECT_EQ(player.tracks[1].status, TRACK_FINISHED);
    EXPECT_EQ(player.tracks[1].position, 0);
}

}  // namespace
