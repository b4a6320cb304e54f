#include <gtest/gtest.h>

#include <vector>

#include "tone_wave.h"

namespace {

struct Measured {
    int32_t tone_samples;
    double hertz;  // from the sign changes of the tone's samples
};

Measured measure(const std::vector<int16_t>& samples, int rate)
{
    int32_t last_sound = -1;
    std::vector<size_t> changes;
    for (size_t i = 0; i < samples.size(); i++) {
        if (samples[i] != 0)
            last_sound = static_cast<int32_t>(i);
        if (i > 0 && samples[i] != 0 && samples[i - 1] != 0 && (samples[i] > 0) != (samples[i - 1] > 0))
            changes.push_back(i);
    }
    double hertz = 0;
    if (changes.size() >= 2)
        hertz = (changes.size() - 1) / 2.0 * rate / static_cast<double>(changes.back() - changes.front());
    return {last_sound + 1, hertz};
}

std::vector<int16_t> render(int frequency_hz, int rate, int32_t count, int32_t block)
{
    ToneWave tone{};
    tone_wave_start(&tone, frequency_hz, rate);
    std::vector<int16_t> samples(static_cast<size_t>(count), 1);
    for (int32_t at = 0; at < count; at += block)
        tone_wave_fill(&tone, samples.data() + at, std::min(block, count - at));
    return samples;
}

TEST(ToneWave, SquareWaveOfTheFrequencyFor20Milliseconds)
{
    struct Case {
        int hz;
        int rate;
    } cases[] = {{262, 44100}, {131, 44100}, {2095, 44100}, {100, 44100}, {440, 8000}, {1047, 48000}};
    for (const Case& c : cases) {
        // Filled in uneven blocks: the wave must continue across them.
        std::vector<int16_t> samples = render(c.hz, c.rate, c.rate / 10, 97);
        Measured m = measure(samples, c.rate);
        EXPECT_EQ(m.tone_samples, c.rate * 20 / 1000) << c.hz << " Hz at " << c.rate;
        EXPECT_NEAR(m.hertz, c.hz, c.hz * 0.01 + 0.5) << c.hz << " Hz at " << c.rate;
        for (int16_t sample : samples)
            ASSERT_TRUE(sample == 0 || sample == TONE_LEVEL || sample == -TONE_LEVEL);
    }
}

TEST(ToneWave, RefusedFrequenciesAreSilent)
{
    for (int hz : {0, 4, 36, 32768, 100000, -262}) {
        std::vector<int16_t> samples = render(hz, 44100, 2000, 2000);
        EXPECT_EQ(measure(samples, 44100).tone_samples, 0) << hz << " Hz";
    }
    EXPECT_TRUE(tone_is_audible(37));
    EXPECT_TRUE(tone_is_audible(32767));
}

TEST(ToneWave, NewToneReplacesTheOneSoundingButARefusedOneDoesNot)
{
    ToneWave tone{};
    std::vector<int16_t> samples(4410);
    tone_wave_start(&tone, 262, 44100);
    EXPECT_EQ(tone_wave_fill(&tone, samples.data(), 441), 441);
    tone_wave_start(&tone, 4, 44100);
    EXPECT_EQ(tone.samples_left, 882 - 441);
    tone_wave_start(&tone, 523, 44100);
    EXPECT_EQ(tone_wave_fill(&tone, samples.data(), 4410), 882);
    EXPECT_NEAR(measure(samples, 44100).hertz, 523, 6);
    EXPECT_EQ(tone_wave_fill(&tone, samples.data(), 100), 0);
}

}  // namespace
