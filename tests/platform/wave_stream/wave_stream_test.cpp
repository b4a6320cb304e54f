// The wave-out stream under Wine, with ALSA's default device writing every sample to a file
// (the test's HOME holds an .asoundrc that says so; its path comes in TONKLE_CAPTURE).
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tone_wave.h"
#include "wave_stream_win.h"

namespace {

int thread_count()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            count++;
    }
    CloseHandle(snapshot);
    return count;
}

// Wine's own audio threads take a moment to go after the device is closed.
int settled_thread_count(int at_most)
{
    int count = thread_count();
    for (int waited = 0; count > at_most && waited < 2000; waited += 50) {
        Sleep(50);
        count = thread_count();
    }
    return count;
}

bool wait_until_closed(int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (!wave_stream_running())
            return true;
        Sleep(20);
    }
    return !wave_stream_running();
}

// Runs of non-zero samples in the capture: start sample and length.
std::vector<std::pair<size_t, size_t>> captured_tones()
{
    const char* unix_path = std::getenv("TONKLE_CAPTURE");
    std::string path = std::string("Z:") + (unix_path != nullptr ? unix_path : "");
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::pair<size_t, size_t>> tones;
    size_t samples = bytes.size() / 2;
    for (size_t i = 0; i < samples;) {
        auto at = [&](size_t k) { return bytes[2 * k] != 0 || bytes[2 * k + 1] != 0; };
        if (!at(i)) {
            i++;
            continue;
        }
        size_t start = i;
        while (i < samples && at(i))
            i++;
        tones.emplace_back(start, i - start);
    }
    return tones;
}

TEST(WaveStream, PlaysTonesAndClosesTheDeviceWhenIdle)
{
    ASSERT_NE(std::getenv("TONKLE_CAPTURE"), nullptr);
    int idle_threads = thread_count();
    std::vector<DWORD> asked_at;
    for (int hz : {262, 4, 330, 392}) {
        asked_at.push_back(GetTickCount());
        wave_stream_request(hz);
        Sleep(110);
    }
    EXPECT_TRUE(wave_stream_running());
    ASSERT_TRUE(wait_until_closed(3000));
    // One thread of Wine's sound system stays once it has been used.
    int after_playback = settled_thread_count(idle_threads + 1);
    EXPECT_LE(after_playback, idle_threads + 1) << "the stream's thread or the device's are still there";

    // The silent 4 Hz request is not a tone: three tones of 20 ms, about 110 ms apart.
    std::vector<std::pair<size_t, size_t>> tones = captured_tones();
    ASSERT_EQ(tones.size(), 4u - 1u);
    for (auto [start, length] : tones)
        EXPECT_EQ(length, static_cast<size_t>(WAVE_RATE_HZ * 20 / 1000)) << "tone at sample " << start;
    // Each tone keeps its distance from the one before, to within a block or two.
    const double samples_per_ms = WAVE_RATE_HZ / 1000.0;
    EXPECT_NEAR(static_cast<double>(tones[1].first - tones[0].first), (asked_at[2] - asked_at[0]) * samples_per_ms,
                12 * samples_per_ms);
    EXPECT_NEAR(static_cast<double>(tones[2].first - tones[1].first), (asked_at[3] - asked_at[2]) * samples_per_ms,
                12 * samples_per_ms);

    // The stream opens again for the next tone, and closes again.
    wave_stream_request(440);
    Sleep(50);
    EXPECT_TRUE(wave_stream_running());
    ASSERT_TRUE(wait_until_closed(3000));
    EXPECT_LE(settled_thread_count(after_playback), after_playback);
}

}  // namespace
