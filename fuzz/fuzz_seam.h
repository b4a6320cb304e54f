// The fuzz harness's side of the player's platform seam: the song file is the current fuzz
// input, posted Stop requests are counted, and tones are checked and dropped.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform.h"

// The path the harness loads; any other path cannot be opened.
constexpr const char* FUZZ_INPUT_PATH = "<fuzz input>";

struct FuzzInput {
    const uint8_t* data;
    size_t size;
};

// What the player asked of the platform since the log was last cleared.
struct FuzzSeamLog {
    int stop_posts;
    MainWindow last_stop_window;
    int tones;
    int last_tone_hz;
};

extern FuzzInput fuzz_input;
extern FuzzSeamLog fuzz_seam_log;

void fuzz_seam_clear_log();

// Reports a broken invariant and aborts, so that libFuzzer keeps the input as a reproducer.
void fuzz_require(bool holds, const char* what);
