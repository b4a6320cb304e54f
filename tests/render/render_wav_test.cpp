#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "render_fixture.h"

namespace {

const Bytes END_OF_TRACK = {0x00, 0xFF, 0x2F, 0x00};
const int16_t LEVEL_MIN = 1000;  // a sounding tone is well away from silence

Bytes note(unsigned char key)
{
    return {0x10, 0x90, key, 0x64};
}

// Notes 69 (220 Hz) and 72 (262 Hz) at ticks 1 and 12; the end of track at tick 23.
Bytes two_note_song()
{
    return song_bytes({track_chunk(concat({note(69), note(72), END_OF_TRACK}))});
}

struct Span {
    int64_t begin;
    int64_t end;  // one past the last sample
};

bool all_silent(const WavFile& wav, Span span)
{
    return std::all_of(wav.samples.begin() + span.begin, wav.samples.begin() + span.end,
                       [](int16_t s) { return s == 0; });
}

bool all_sounding(const WavFile& wav, Span span)
{
    return std::all_of(wav.samples.begin() + span.begin, wav.samples.begin() + span.end,
                       [](int16_t s) { return std::abs(s) >= LEVEL_MIN; });
}

// Frequency from the zero crossings inside the span: the mean length of the complete
// half-periods (the runs of one sign that start and end inside it).
double crossing_frequency(const WavFile& wav, Span span)
{
    std::vector<int64_t> crossings;
    for (int64_t i = span.begin + 1; i < span.end; i++) {
        if ((wav.samples[i] > 0) != (wav.samples[i - 1] > 0))
            crossings.push_back(i);
    }
    if (crossings.size() < 2)
        return 0;
    double mean_run = static_cast<double>(crossings.back() - crossings.front()) / (crossings.size() - 1);
    return wav.rate_hz / (2 * mean_run);
}

struct ToneCase {
    const char* name;
    std::vector<std::string> options;
    int rate_hz;
    int64_t tone_samples;
    std::vector<std::pair<int64_t, int>> tones;  // first sample, frequency
    int64_t total_samples;                       // the Stop at tick 23, or the last tone's end
    const char* summary_tail;
};

TEST(RenderWav, HeaderLengthAndTonePlacement)
{
    const std::vector<ToneCase> cases = {
        // Tick k at k × 441 samples.
        {"10 ms ticks", {"--tick-ms", "10"}, 44100, 882, {{441, 220}, {5292, 262}}, 23 * 441, "0.23 s at 44100 Hz"},
        // A Windows system tick: k × 15.625 ms is k × 125 samples at 8000 Hz.
        {"15.625 ms ticks at 8000 Hz", {"--tick-ms", "15.625", "--rate", "8000"}, 8000, 160,
         {{125, 220}, {1500, 262}}, 23 * 125, "0.36 s at 8000 Hz"},
        // 1 ms ticks land between samples: 12 × 44.1 = 529.2 starts at 529. The Stop comes at
        // sample 1014, before the second tone ends at 529 + 882.
        {"1 ms ticks by default", {}, 44100, 882, {{44, 220}, {529, 262}}, 529 + 882, "0.03 s at 44100 Hz"},
    };
    TempFolder folder;
    std::string song = folder.write("song.mid", two_note_song());
    for (const ToneCase& c : cases) {
        std::string out = folder.file("out.wav");
        std::vector<std::string> args = {"wav", song, "-o", out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        RunResult run = run_render(args);
        ASSERT_EQ(run.exit_code, 0) << c.name << "\n" << run.err;
        WavFile wav = read_wav(out);
        ASSERT_TRUE(wav.valid) << c.name;
        EXPECT_EQ(wav.channels, 1) << c.name;
        EXPECT_EQ(wav.bits, 16) << c.name;
        EXPECT_EQ(wav.rate_hz, c.rate_hz) << c.name;
        ASSERT_EQ(static_cast<int64_t>(wav.samples.size()), c.total_samples) << c.name;

        int64_t silent_from = 0;
        for (size_t t = 0; t < c.tones.size(); t++) {
            int64_t start = c.tones[t].first;
            // A newer tone cuts the older one off.
            int64_t end = start + c.tone_samples;
            if (t + 1 < c.tones.size())
                end = std::min(end, c.tones[t + 1].first);
            EXPECT_TRUE(all_silent(wav, {silent_from, start})) << c.name << " before tone " << t;
            EXPECT_TRUE(all_sounding(wav, {start, end})) << c.name << " tone " << t;
            EXPECT_GT(wav.samples[start], 0) << c.name << ": a tone starts high";
            EXPECT_NEAR(crossing_frequency(wav, {start, end}), c.tones[t].second, c.tones[t].second * 0.02)
                << c.name << " tone " << t;
            silent_from = end;
        }
        EXPECT_TRUE(all_silent(wav, {silent_from, c.total_samples})) << c.name << " after the last tone";
        EXPECT_EQ(run.out, "wrote " + out + ": 3 tones (1 silent), " + c.summary_tail + "\n")
            << c.name;
    }
}

TEST(RenderWav, SilentToneLeavesTheSoundingToneAlone)
{
    // Note 20 is far below what the speaker plays: at 1 ms ticks it comes while the 220 Hz
    // tone still sounds, and that tone runs its full 882 samples.
    TempFolder folder;
    std::string song = folder.write("song.mid", song_bytes({track_chunk(concat({note(69), note(20), note(72), END_OF_TRACK}))}));
    std::string out = folder.file("out.wav");
    RunResult run = run_render({"wav", song, "-o", out});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    WavFile wav = read_wav(out);
    ASSERT_TRUE(wav.valid);
    ASSERT_EQ(wav.samples.size(), 1014u + 882u);  // note 72 at tick 23 = sample 1014
    EXPECT_TRUE(all_sounding(wav, {44, 44 + 882}));
    EXPECT_NEAR(crossing_frequency(wav, {44, 44 + 882}), 220, 4.4);
    EXPECT_TRUE(all_silent(wav, {44 + 882, 1014}));
    EXPECT_TRUE(all_sounding(wav, {1014, 1014 + 882}));
    EXPECT_NEAR(crossing_frequency(wav, {1014, 1014 + 882}), 262, 5.3);
    EXPECT_NE(run.out.find(": 4 tones (2 silent)"), std::string::npos) << run.out;
}

TEST(RenderWav, NoTracksGivesSilenceUntilTheStop)
{
    TempFolder folder;
    std::string song = folder.write("empty.mid", song_bytes({}));
    std::string out = folder.file("out.wav");
    RunResult run = run_render({"wav", song, "-o", out, "--tick-ms", "10"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    WavFile wav = read_wav(out);
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.samples.size(), 441u);
    EXPECT_TRUE(all_silent(wav, {0, 441}));
}

TEST(RenderWav, LongSongThatStopsEarlyIsWritten)
{
    // Track 1 alone could play past what a WAV file holds at a minute a tick and 192000 Hz,
    // but the selected track 0 ends at once: one minute of silence.
    Bytes long_track;
    for (int i = 0; i < 30; i++)
        long_track = concat({long_track, note(69)});
    TempFolder folder;
    std::string song = folder.write(
        "song.mid", song_bytes({track_chunk(END_OF_TRACK), track_chunk(concat({long_track, END_OF_TRACK}))}));
    std::string out = folder.file("out.wav");
    RunResult run = run_render({"wav", song, "-o", out, "--track", "0", "--tick-ms", "60000", "--rate", "192000"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "wrote " + out + ": 1 tones (1 silent), 60.00 s at 192000 Hz\n");
    WavFile wav = read_wav(out);
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.rate_hz, 192000);
    ASSERT_EQ(wav.samples.size(), 60u * 192000u);
    EXPECT_TRUE(all_silent(wav, {0, 60 * 192000}));
}

TEST(RenderWav, FailuresLeaveNoFileAndKeepAnExistingOne)
{
    TempFolder folder;
    std::string song = folder.write("song.mid", two_note_song());
    std::string out = folder.file("out.wav");
    folder.write("out.wav", {'o', 'l', 'd'});

    std::string missing = folder.file("missing.mid");
    RunResult no_song = run_render({"wav", missing, "-o", out});
    EXPECT_EQ(no_song.exit_code, 1);
    EXPECT_NE(no_song.err.find(missing), std::string::npos) << no_song.err;
    EXPECT_EQ(read_file(out), Bytes({'o', 'l', 'd'}));

    // Twelve notes at a minute a tick and 192000 Hz pass the 4 GiB a WAV file can hold.
    Bytes long_track;
    for (int i = 0; i < 20; i++)
        long_track = concat({long_track, note(69)});
    std::string long_song = folder.write("long.mid", song_bytes({track_chunk(concat({long_track, END_OF_TRACK}))}));
    std::string too_long_out = folder.file("long.wav");
    RunResult too_long = run_render({"wav", long_song, "-o", too_long_out, "--tick-ms", "60000", "--rate", "192000"});
    EXPECT_EQ(too_long.exit_code, 1);
    EXPECT_NE(too_long.err.find("longer than a WAV file can hold"), std::string::npos) << too_long.err;
    EXPECT_FALSE(file_exists(too_long_out));

    std::string no_folder_out = folder.file("no-such-folder/out.wav");
    RunResult no_folder = run_render({"wav", song, "-o", no_folder_out});
    EXPECT_EQ(no_folder.exit_code, 1);
    EXPECT_NE(no_folder.err.find(no_folder_out), std::string::npos) << no_folder.err;

    // A write that fails part way (here: a file size limit, as a full disk would) ends the
    // render with the reason, and the half-written file is removed.
    std::string cut_out = folder.file("cut.wav");
    RunResult cut = run_render({"wav", song, "-o", cut_out, "--tick-ms", "1000"}, 100000);
    EXPECT_EQ(cut.exit_code, 1);
    EXPECT_NE(cut.err.find(cut_out), std::string::npos) << cut.err;
    EXPECT_NE(cut.err.find("File too large"), std::string::npos) << cut.err;
    EXPECT_EQ(cut.out, "");

    std::vector<std::string> left = folder.entries();
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"long.mid", "out.wav", "song.mid"}));

    // A successful render replaces the old file.
    RunResult ok = run_render({"wav", song, "-o", out});
    EXPECT_EQ(ok.exit_code, 0) << ok.err;
    EXPECT_TRUE(read_wav(out).valid);
}

TEST(RenderCommandLine, BadUsageExitsWithTwoAndTheUsage)
{
    TempFolder folder;
    std::string song = folder.write("song.mid", two_note_song());
    std::string out = folder.file("out.wav");
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"play", song},
        {"info"},
        {"info", song, song},
        {"info", song, "--track", "1"},
        {"info", song, "--bogus"},
        {"trace", song, "--rate", "8000"},
        {"trace", song, "--track"},
        {"trace", song, "--even-tempo=1"},
        {"wav", song},
        {"wav", song, "-o"},
        {"wav", "-o", out},
        {"wav", song, "-o", out, "--tick-ms", "0"},
        {"wav", song, "-o", out, "--tick-ms", "1.2345"},
        {"wav", song, "-o", out, "--tick-ms", "-1"},
        {"wav", song, "-o", out, "--tick-ms", "60001"},
        {"wav", song, "-o", out, "--rate", "100"},
        {"wav", song, "-o", out, "--rate", "44100x"},
        {"wav", song, "-o", out, "--track", "7"},
        {"wav", song, "-o", song},
    };
    for (const std::vector<std::string>& args : bad) {
        std::string shown;
        for (const std::string& a : args)
            shown += a + " ";
        RunResult run = run_render(args);
        EXPECT_EQ(run.exit_code, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_NE(run.err.find("usage: tonkle-render"), std::string::npos) << shown << "\n" << run.err;
        EXPECT_FALSE(file_exists(out)) << shown;
    }
    EXPECT_EQ(read_file(song), two_note_song()) << "the song was written over";
}

TEST(RenderCommandLine, HelpGoesToStdout)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"info", "--help"}, {"trace", "--help"}, {"wav", "--help"}, {"wav", "-h"}}) {
        RunResult run = run_render(args);
        EXPECT_EQ(run.exit_code, 0) << args[0];
        EXPECT_EQ(run.out.rfind("usage: tonkle-render", 0), 0u) << args[0];
        EXPECT_EQ(run.err, "");
    }
}

}  // namespace
