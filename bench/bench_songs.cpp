#include "bench_songs.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

using Bytes = std::vector<unsigned char>;

void append(Bytes& out, std::initializer_list<unsigned> bytes)
{
    for (unsigned b : bytes)
        out.push_back(static_cast<unsigned char>(b));
}

void append_u32(Bytes& out, uint32_t value)
{
    append(out, {value >> 24, (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF});
}

void append_header(Bytes& out, int tracks)
{
    append(out, {'M', 'T', 'h', 'd'});
    append_u32(out, 6);
    append(out, {0, 1, static_cast<unsigned>(tracks) >> 8, static_cast<unsigned>(tracks) & 0xFF, 0, 96});
}

void append_title(Bytes& track, const char* title)
{
    append(track, {0, 0xFF, 0x03, static_cast<unsigned>(std::char_traits<char>::length(title))});
    for (const char* c = title; *c != '\0'; c++)
        track.push_back(static_cast<unsigned char>(*c));
}

// One note: a chord tone (delta 0) every fourth note, note-offs by velocity 0 under running
// status, a controller change now and then. `seed` varies the keys between tracks.
void append_note(Bytes& track, int index, int seed)
{
    const unsigned key = 48 + static_cast<unsigned>((index * 7 + seed * 5) % 36);
    append(track, {0x60, 0x90, key, 100});
    if (index % 4 == 0)
        append(track, {0x00, key + 4, 90});
    if (index % 16 == 0)
        append(track, {0x00, 0xB0, 7, 100});
    append(track, {0x60, 0x90, key, 0});
    if (index % 4 == 0)
        append(track, {0x00, key + 4, 0});
}

void append_chunk(Bytes& out, const Bytes& events)
{
    append(out, {'M', 'T', 'r', 'k'});
    append_u32(out, static_cast<uint32_t>(events.size()));
    out.insert(out.end(), events.begin(), events.end());
}

// Kept in a plain array: it must outlive every static object, since it is removed at exit.
char temp_folder_path[4096];

void remove_temp_folder()
{
    std::error_code ignored;
    std::filesystem::remove_all(temp_folder_path, ignored);
}

std::filesystem::path temp_folder()
{
    if (temp_folder_path[0] == '\0') {
        std::string pattern = (std::filesystem::temp_directory_path() / "tonkle-bench-XXXXXX").string();
        if (pattern.size() >= sizeof temp_folder_path || mkdtemp(pattern.data()) == nullptr) {
            std::perror("tonkle bench: cannot create a temporary folder");
            std::exit(1);
        }
        std::memcpy(temp_folder_path, pattern.c_str(), pattern.size() + 1);
        std::atexit(remove_temp_folder);
    }
    return temp_folder_path;
}

std::string write_file(const std::string& name, const Bytes& bytes)
{
    std::filesystem::path path = temp_folder() / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "tonkle bench: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path.string();
}

}  // namespace

std::vector<unsigned char> bench_song_bytes_big(int64_t size_bytes, int notes_per_track)
{
    Bytes song;
    song.reserve(static_cast<size_t>(size_bytes) + 65536);
    append_header(song, 0);
    for (int t = 0; static_cast<int64_t>(song.size()) < size_bytes; t++) {
        Bytes track;
        if (t == 0)
            append_title(track, "Benchmark song");
        for (int n = 0; n < notes_per_track; n++)
            append_note(track, n, t);
        append(track, {0x00, 0xFF, 0x2F, 0x00});
        append_chunk(song, track);
    }
    return song;
}

std::vector<unsigned char> bench_song_bytes_tracks(int track_count, int notes_per_track)
{
    Bytes song;
    append_header(song, track_count);
    for (int t = 0; t < track_count; t++) {
        Bytes track;
        if (t == 0)
            append_title(track, "Many tracks");
        for (int n = 0; n < notes_per_track; n++)
            append_note(track, n, t);
        append(track, {0x00, 0xFF, 0x2F, 0x00});
        append_chunk(song, track);
    }
    return song;
}

std::string bench_song_file_big(int64_t size_bytes, int notes_per_track)
{
    return write_file("big-" + std::to_string(notes_per_track) + ".mid",
                      bench_song_bytes_big(size_bytes, notes_per_track));
}

std::string bench_song_file_tracks(int track_count, int notes_per_track)
{
    return write_file("tracks-" + std::to_string(track_count) + ".mid",
                      bench_song_bytes_tracks(track_count, notes_per_track));
}
