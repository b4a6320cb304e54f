#include "wav_writer.h"

#include <cerrno>
#include <cstring>

#include "render_state.h"

constexpr size_t WAV_BUFFER_BYTES = 1 << 18;
constexpr int16_t WAV_TONE_LEVEL = 8192;  // a quarter of full scale: clearly heard, not harsh

static void wav_put_u32(unsigned char* at, uint32_t value)
{
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
    at[2] = static_cast<unsigned char>(value >> 16);
    at[3] = static_cast<unsigned char>(value >> 24);
}

static void wav_put_u16(unsigned char* at, uint16_t value)
{
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

static void wav_write(const unsigned char* bytes, size_t size)
{
    if (render.wav.failed)
        return;
    if (std::fwrite(bytes, 1, size, render.wav.file) != size) {
        render.wav.failed = 1;
        render.wav.error_number = errno;
    }
}

int wav_flush()
{
    WavWriter& w = render.wav;
    wav_write(w.buffer.get(), w.buffered_bytes);
    w.buffered_bytes = 0;
    if (!w.failed && std::fflush(w.file) != 0) {
        w.failed = 1;
        w.error_number = errno;
    }
    return w.failed ? 0 : 1;
}

static void wav_put_header(int32_t rate_hz, int64_t sample_count)
{
    const uint32_t data_bytes = static_cast<uint32_t>(sample_count * 2);
    unsigned char header[WAV_HEADER_BYTES];
    std::memcpy(header, "RIFF", 4);
    wav_put_u32(header + 4, 36 + data_bytes);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    wav_put_u32(header + 16, 16);                                    // fmt chunk size
    wav_put_u16(header + 20, 1);                                     // PCM
    wav_put_u16(header + 22, 1);                                     // mono
    wav_put_u32(header + 24, static_cast<uint32_t>(rate_hz));
    wav_put_u32(header + 28, static_cast<uint32_t>(rate_hz) * 2);    // bytes per second
    wav_put_u16(header + 32, 2);                                     // bytes per frame
    wav_put_u16(header + 34, 16);                                    // bits per sample
    std::memcpy(header + 36, "data", 4);
    wav_put_u32(header + 40, data_bytes);
    wav_write(header, sizeof header);
}

void wav_begin(FILE* file, int32_t rate_hz, int64_t sample_count)
{
    WavWriter& w = render.wav;
    w.file = file;
    w.buffer.reset(new unsigned char[WAV_BUFFER_BYTES]);
    w.buffered_bytes = 0;
    w.samples_written = 0;
    w.failed = 0;
    w.error_number = 0;
    wav_put_header(rate_hz, sample_count);
}

int wav_rewrite_header(int32_t rate_hz, int64_t sample_count)
{
    WavWriter& w = render.wav;
    if (!wav_flush())
        return 0;
    if (std::fseek(w.file, 0, SEEK_SET) != 0) {
        w.failed = 1;
        w.error_number = errno;
        return 0;
    }
    wav_put_header(rate_hz, sample_count);
    return wav_flush();
}

void wav_put_silence(int64_t sample_count)
{
    WavWriter& w = render.wav;
    w.samples_written += sample_count;
    uint64_t left = static_cast<uint64_t>(sample_count) * 2;
    while (left > 0) {
        size_t room = WAV_BUFFER_BYTES - w.buffered_bytes;
        size_t part = left < room ? static_cast<size_t>(left) : room;
        std::memset(w.buffer.get() + w.buffered_bytes, 0, part);
        w.buffered_bytes += part;
        left -= part;
        if (w.buffered_bytes == WAV_BUFFER_BYTES)
            wav_flush();
    }
}

static void wav_put_level(uint16_t level, int64_t count)
{
    WavWriter& w = render.wav;
    // The sample's two bytes in file order, copied as one unit: the loop then fills whole
    // vector registers, whatever the host's byte order.
    const unsigned char file_order[2] = {static_cast<unsigned char>(level), static_cast<unsigned char>(level >> 8)};
    uint16_t sample;
    std::memcpy(&sample, file_order, sizeof sample);
    while (count > 0) {
        if (w.buffered_bytes == WAV_BUFFER_BYTES)
            wav_flush();
        int64_t room = static_cast<int64_t>((WAV_BUFFER_BYTES - w.buffered_bytes) / 2);
        int64_t part = count < room ? count : room;
        unsigned char* at = w.buffer.get() + w.buffered_bytes;
        for (int64_t i = 0; i < part; i++)
            std::memcpy(at + 2 * i, &sample, sizeof sample);
        w.buffered_bytes += static_cast<size_t>(part) * 2;
        count -= part;
    }
}

// The level flips every half period: sample j of the tone is high while floor(2·j·f / rate)
// is even. Exact in integers, so the zero crossings do not drift over the tone; written a
// half period at a time, since a division per sample would dominate the render.
void wav_put_square(int64_t offset, int64_t count, int32_t frequency_hz, int32_t rate_hz)
{
    render.wav.samples_written += count;
    const int64_t twice_frequency = 2 * static_cast<int64_t>(frequency_hz);
    const uint16_t high = static_cast<uint16_t>(WAV_TONE_LEVEL);
    const uint16_t low = static_cast<uint16_t>(-WAV_TONE_LEVEL);
    const int64_t end = offset + count;
    int64_t j = offset;
    int64_t half_period = j * twice_frequency / rate_hz;
    while (j < end) {
        // First sample of the next half period: the least j' with j'·2f >= (half_period + 1)·rate.
        int64_t next = ((half_period + 1) * rate_hz + twice_frequency - 1) / twice_frequency;
        int64_t run_end = next < end ? next : end;
        wav_put_level(half_period % 2 == 0 ? high : low, run_end - j);
        if (run_end > j)
            j = run_end;
        half_period++;
    }
}
