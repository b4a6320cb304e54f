// Checks on the player's state right after a song was loaded from the fuzz input.
#pragma once

#include <cstddef>
#include <cstdint>

// Compares the track table, the title and the selection with an independent scan of `data`.
void fuzz_check_loaded_song(const uint8_t* data, size_t size);
