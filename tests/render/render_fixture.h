// Helpers for driving the built tonkle-render program: small MIDI byte fixtures written to a
// private temporary folder, running the program with its output captured, and reading WAVs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// "MTrk", the big-endian length of `events` (or `declared_length`), then `events`.
Bytes track_chunk(const Bytes& events);
Bytes track_chunk_declared(const Bytes& events, uint32_t declared_length);
// A format-1 header chunk followed by the chunks.
Bytes song_bytes(const std::vector<Bytes>& chunks);
// Joins byte lists, for building event lists out of named pieces.
Bytes concat(const std::vector<Bytes>& parts);

// A fresh folder under the test temporary folder, removed with its contents at destruction.
struct TempFolder {
    std::string path;
    TempFolder();
    ~TempFolder();
    std::string file(const std::string& name) const;
    std::string write(const std::string& name, const Bytes& bytes) const;
    std::vector<std::string> entries() const;
};

struct RunResult {
    int exit_code;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs tonkle-render with `args` (no shell involved), capturing stdout and stderr. With
// `max_file_bytes`, files the program writes cannot grow past that size: writes beyond it fail
// as on a full disk.
RunResult run_render(const std::vector<std::string>& args, long max_file_bytes = 0);

bool file_exists(const std::string& path);
Bytes read_file(const std::string& path);

struct WavFile {
    bool valid;  // header well formed and consistent with the file's size
    int channels;
    int bits;
    int rate_hz;
    uint32_t riff_size;
    uint32_t data_bytes;
    std::vector<int16_t> samples;
};
WavFile read_wav(const std::string& path);
