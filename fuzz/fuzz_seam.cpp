#include "fuzz_seam.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "playback_clock.h"

FuzzInput fuzz_input;
FuzzSeamLog fuzz_seam_log;

void fuzz_seam_clear_log()
{
    fuzz_seam_log = FuzzSeamLog{};
}

void fuzz_require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "tonkle fuzz: invariant broken: %s\n", what);
    std::abort();
}

// The copy is exactly as long as the input, without the spare byte the file readers add, so
// that AddressSanitizer reports a read one byte past the song.
int platform_read_file(const char* path, int64_t max_size, std::unique_ptr<unsigned char[]>& bytes,
                       int32_t& size)
{
    bytes.reset();
    size = 0;
    if (std::strcmp(path, FUZZ_INPUT_PATH) != 0)
        return 0;
    if (static_cast<uint64_t>(fuzz_input.size) > static_cast<uint64_t>(max_size))
        return 0;
    bytes.reset(new unsigned char[fuzz_input.size]);
    if (fuzz_input.size > 0)
        std::memcpy(bytes.get(), fuzz_input.data, fuzz_input.size);
    size = static_cast<int32_t>(fuzz_input.size);
    return 1;
}

void platform_post_stop(MainWindow window)
{
    fuzz_seam_log.stop_posts++;
    fuzz_seam_log.last_stop_window = window;
}

// A note is one byte of the song, so every tone lies between the frequencies of notes 0 and 255.
void platform_start_tone(int frequency_hz)
{
    fuzz_require(frequency_hz >= note_frequency(0), "tone below the frequency of note 0");
    fuzz_require(frequency_hz <= note_frequency(255), "tone above the frequency of note 255");
    fuzz_seam_log.tones++;
    fuzz_seam_log.last_tone_hz = frequency_hz;
}
