#include "song_fixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform.h"
#include "song_loader.h"

PlatformRecording recording;

void recording_clear()
{
    recording.stop_posts = 0;
    recording.tone_frequencies.clear();
}

void platform_post_stop(MainWindow)
{
    recording.stop_posts++;
}

void platform_start_tone(int frequency_hz)
{
    recording.tone_frequencies.push_back(frequency_hz);
}

Bytes track_chunk_declared(const Bytes& events, uint32_t declared_length)
{
    Bytes chunk = {'M', 'T', 'r', 'k'};
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(static_cast<unsigned char>(declared_length >> shift));
    chunk.insert(chunk.end(), events.begin(), events.end());
    return chunk;
}

Bytes track_chunk(const Bytes& events)
{
    return track_chunk_declared(events, static_cast<uint32_t>(events.size()));
}

Bytes song_bytes(const std::vector<Bytes>& chunks)
{
    Bytes song = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 0, 0, 96};
    song[11] = static_cast<unsigned char>(chunks.size());
    for (const Bytes& chunk : chunks)
        song.insert(song.end(), chunk.begin(), chunk.end());
    return song;
}

std::string write_temp_file(const Bytes& bytes)
{
    static std::mt19937_64 names{std::random_device{}()};
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("tonkle-test-" + std::to_string(names()) + ".mid");
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

int load_song(const Bytes& bytes)
{
    std::string path = write_temp_file(bytes);
    song_unload();
    int result = song_load(path.c_str());
    std::remove(path.c_str());
    return result;
}
