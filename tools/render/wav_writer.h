// Mono 16-bit PCM WAV output, written in large blocks.
#pragma once

#include <cstdint>
#include <cstdio>

constexpr int64_t WAV_HEADER_BYTES = 44;
// The RIFF size field (36 + data bytes) is 32 bits; the data holds whole 16-bit samples.
constexpr int64_t WAV_MAX_SAMPLES = (0xFFFFFFFFll - 36) / 2;

// Starts writing to `file` with a header for `sample_count` samples at `rate_hz`.
void wav_begin(FILE* file, int32_t rate_hz, int64_t sample_count);
// Writes what is buffered, then the header again, for `sample_count` samples: for a render
// whose length was not known when it began. Returns 1 when every write so far succeeded.
int wav_rewrite_header(int32_t rate_hz, int64_t sample_count);
void wav_put_silence(int64_t sample_count);
// `count` samples of a square wave of `frequency_hz` starting `offset` samples into the tone,
// which begins at the start of a high half-period.
void wav_put_square(int64_t offset, int64_t count, int32_t frequency_hz, int32_t rate_hz);
// Writes what is buffered. Returns 1 when every write so far succeeded.
int wav_flush();
