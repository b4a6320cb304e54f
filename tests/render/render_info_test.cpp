#include <gtest/gtest.h>

#include "render_fixture.h"

namespace {

const Bytes END_OF_TRACK = {0x00, 0xFF, 0x2F, 0x00};

Bytes title_event(const Bytes& text)
{
    return concat({{0x00, 0xFF, 0x03, static_cast<unsigned char>(text.size())}, text});
}

struct InfoCase {
    const char* name;
    Bytes song;
    std::string expected;
};

TEST(RenderInfo, PrintsTitleTracksAndSelection)
{
    const Bytes katakana_test = {0x83, 0x65, 0x83, 0x58, 0x83, 0x67};  // テスト
    // A byte outside the code page, an unassigned pair, a tab and a lead byte with nothing after it.
    const Bytes broken = {'A', 0x80, 'B', 0x85, 0x40, 0x09, 0x83, 0x65, 0x82};
    const std::vector<InfoCase> cases = {
        {"no tracks, no title", song_bytes({}), "title\t\ntitle_hex\t\ntracks\t0\nselected\t-1\n"},
        {"one track is selected",
         song_bytes({track_chunk(END_OF_TRACK)}),
         "title\t\ntitle_hex\t\ntracks\t1\nselected\t0\ntrack\t0\t4\n"},
        {"two tracks keep the selection at 2",
         song_bytes({track_chunk(END_OF_TRACK), track_chunk(END_OF_TRACK)}),
         "title\t\ntitle_hex\t\ntracks\t2\nselected\t2\ntrack\t0\t4\ntrack\t1\t4\n"},
        {"a code page 932 title and a length with its top bit set",
         song_bytes({track_chunk(concat({title_event(katakana_test), END_OF_TRACK})),
                     track_chunk_declared(END_OF_TRACK, 0xFFFFFFFE), track_chunk(END_OF_TRACK)}),
         "title\tテスト\ntitle_hex\t836583588367\ntracks\t3\nselected\t2\n"
         "track\t0\t14\ntrack\t1\t-2\ntrack\t2\t4\n"},
        {"bytes that do not convert are escaped",
         song_bytes({track_chunk(concat({title_event(broken), END_OF_TRACK}))}),
         "title\tA\\x80B\\x85@\\x09テ\\x82\ntitle_hex\t418042854009836582\ntracks\t1\nselected\t0\n"
         "track\t0\t17\n"},
    };
    TempFolder folder;
    for (const InfoCase& c : cases) {
        std::string song = folder.write("song.mid", c.song);
        RunResult run = run_render({"info", song});
        EXPECT_EQ(run.exit_code, 0) << c.name;
        EXPECT_EQ(run.out, c.expected) << c.name;
        EXPECT_EQ(run.err, "") << c.name;
    }
}

TEST(RenderInfo, DemoSongHasJapaneseTitleAndMelodyOnTrackTwo)
{
    RunResult run = run_render({"info", TONKLE_DEMO_SONG});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find("title\tさくらさくら\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("title_hex\t82b382ad82e782b382ad82e7\n"), std::string::npos);
    EXPECT_NE(run.out.find("tracks\t3\n"), std::string::npos);
    EXPECT_NE(run.out.find("selected\t2\n"), std::string::npos);
    EXPECT_NE(run.out.find("track\t2\t"), std::string::npos);

    // Heard at the window timer's real pace of 10 ms a tick, the melody lasts 20 to 40 s.
    RunResult trace = run_render({"trace", TONKLE_DEMO_SONG});
    ASSERT_EQ(trace.exit_code, 0);
    size_t stop_at = trace.out.rfind("stop ");
    ASSERT_NE(stop_at, std::string::npos);
    long stop_tick = std::stol(trace.out.substr(stop_at + 5));
    EXPECT_GE(stop_tick, 2000);
    EXPECT_LE(stop_tick, 4000);
    // The melody's notes are heard, not only the end-of-track's silent tone.
    EXPECT_NE(trace.out.find("1 81 440\n"), std::string::npos);
}

TEST(RenderInfo, UnreadableSongNamesTheFile)
{
    TempFolder folder;
    std::string missing = folder.file("no-such-song.mid");
    RunResult run = run_render({"info", missing});
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("No such file"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;

    RunResult folder_run = run_render({"info", folder.path});
    EXPECT_EQ(folder_run.exit_code, 1);
    EXPECT_NE(folder_run.err.find(folder.path), std::string::npos) << folder_run.err;
}

}  // namespace
