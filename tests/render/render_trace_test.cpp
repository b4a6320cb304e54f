#include <gtest/gtest.h>

#include "render_fixture.h"

namespace {

const Bytes END_OF_TRACK = {0x00, 0xFF, 0x2F, 0x00};

// A note-on with a non-zero delta (a note of its own) and with delta 0 (a chord tone).
Bytes note(unsigned char key)
{
    return {0x10, 0x90, key, 0x64};
}
Bytes chord_tone(unsigned char key)
{
    return {0x00, 0x90, key, 0x64};
}

struct TraceCase {
    const char* name;
    Bytes song;
    std::vector<std::string> options;
    std::string expected;
};

TEST(RenderTrace, TonesAndStopTick)
{
    // 60, a chord tone 64, then 67: what is heard depends on the options.
    const Bytes chord_song = song_bytes({track_chunk(concat({note(60), chord_tone(64), note(67), END_OF_TRACK}))});
    // Three tracks that each sound their own note; track 1 ends first without stopping playback.
    const Bytes three_tracks = song_bytes({track_chunk(concat({note(48), note(48), END_OF_TRACK})),
                                           track_chunk(concat({note(60), END_OF_TRACK})),
                                           track_chunk(concat({note(72), note(72), note(72), END_OF_TRACK}))});
    const std::vector<TraceCase> cases = {
        {"a song with no tracks stops at the first tick", song_bytes({}), {}, "stop 1\n"},
        {"end of track at once: one silent tone for note 0, then Stop",
         song_bytes({track_chunk(END_OF_TRACK)}), {}, "1 0 4\nstop 1\n"},
        {"a chunk ending right after a note sounds it twice",
         song_bytes({track_chunk(note(60))}), {}, "1 60 131\n12 60 131\nstop 13\n"},
        {"chord tones are skipped by default",
         chord_song, {}, "1 60 131\n12 67 196\n23 0 4\nstop 23\n"},
        {"--play-chords sounds the chord tone at once on the next tick",
         chord_song, {"--play-chords"}, "1 60 131\n12 64 165\n13 67 196\n24 0 4\nstop 24\n"},
        {"--even-tempo gives the chord tone a wait of its own",
         chord_song, {"--even-tempo"}, "1 60 131\n12 64 165\n23 67 196\n34 0 4\nstop 34\n"},
        {"track 2 is sounded by default",
         three_tracks, {}, "1 72 262\n12 72 262\n23 72 262\n34 0 4\nstop 34\n"},
        {"--track 0 sounds track 0; its end stops playback while track 2 still plays",
         three_tracks, {"--track", "0"}, "1 48 65\n12 48 65\n23 0 4\nstop 23\n"},
        {"--track=1", three_tracks, {"--track=1"}, "1 60 131\n12 0 4\nstop 12\n"},
    };
    TempFolder folder;
    for (const TraceCase& c : cases) {
        std::string song = folder.write("song.mid", c.song);
        std::vector<std::string> args = {"trace", song};
        args.insert(args.end(), c.options.begin(), c.options.end());
        RunResult run = run_render(args);
        EXPECT_EQ(run.exit_code, 0) << c.name << "\n" << run.err;
        EXPECT_EQ(run.out, c.expected) << c.name;
    }
}

TEST(RenderTrace, TwoTracksSoundNothingUntilOneIsPicked)
{
    TempFolder folder;
    std::string song = folder.write(
        "two.mid", song_bytes({track_chunk(concat({note(60), END_OF_TRACK})), track_chunk(END_OF_TRACK)}));
    // Neither track is track 2: both run to their end unheard, and the tick after that stops.
    RunResult run = run_render({"trace", song});
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.out, "stop 13\n");
}

TEST(RenderTrace, TrackMustExist)
{
    TempFolder folder;
    std::string song = folder.write(
        "song.mid", song_bytes({track_chunk(END_OF_TRACK), track_chunk(END_OF_TRACK), track_chunk(END_OF_TRACK)}));
    for (const char* bad : {"3", "-1", "x", "1.5", ""}) {
        RunResult run = run_render({"trace", song, "--track", bad});
        EXPECT_EQ(run.exit_code, 2) << bad;
        EXPECT_EQ(run.out, "") << bad;
        EXPECT_NE(run.err.find("usage: tonkle-render trace"), std::string::npos) << bad << "\n" << run.err;
    }
    RunResult named = run_render({"trace", song, "--track", "3"});
    EXPECT_NE(named.err.find("tracks 0 to 2"), std::string::npos) << named.err;
}

}  // namespace
