// What the player needs from the platform it runs on. Each platform, and each harness that
// drives the player without one (tests, the command-line renderer), links exactly one
// implementation of these three functions.
#pragma once

#include <cstdint>
#include <memory>

// The main window, opaque to the player: the target of posted Stop commands.
using MainWindow = void*;

// Reads the whole file at `path` (code page 932 bytes on Windows) with one read, opening it
// without sharing. On success `bytes` holds `size` bytes and the result is 1. Returns 0 when
// the file cannot be opened or read, or is larger than `max_size`; `bytes` is then empty.
int platform_read_file(const char* path, int64_t max_size, std::unique_ptr<unsigned char[]>& bytes,
                       int32_t& size);

// Asks the main window to run the Stop command after the current timer tick has finished,
// never inside it.
void platform_post_stop(MainWindow window);

// Starts one tone of `frequency_hz` lasting BEEP_MS without blocking the caller. Frequencies
// outside 37..32767 Hz are silent.
void platform_start_tone(int frequency_hz);
