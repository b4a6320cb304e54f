#include "render_fixture.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

Bytes track_chunk_declared(const Bytes& events, uint32_t declared_length)
{
    Bytes chunk = {'M', 'T', 'r', 'k'};
    chunk.push_back(static_cast<unsigned char>(declared_length >> 24));
    chunk.push_back(static_cast<unsigned char>(declared_length >> 16));
    chunk.push_back(static_cast<unsigned char>(declared_length >> 8));
    chunk.push_back(static_cast<unsigned char>(declared_length));
    chunk.insert(chunk.end(), events.begin(), events.end());
    return chunk;
}

Bytes track_chunk(const Bytes& events)
{
    return track_chunk_declared(events, static_cast<uint32_t>(events.size()));
}

Bytes song_bytes(const std::vector<Bytes>& chunks)
{
    Bytes song = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, static_cast<unsigned char>(chunks.size()), 0x01, 0xE0};
    for (const Bytes& chunk : chunks)
        song.insert(song.end(), chunk.begin(), chunk.end());
    return song;
}

Bytes concat(const std::vector<Bytes>& parts)
{
    Bytes joined;
    for (const Bytes& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

TempFolder::TempFolder()
{
    std::string pattern = testing::TempDir() + "tonkle-render-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const char* made = mkdtemp(name.data());
    if (made == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    path = made;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TempFolder::file(const std::string& name) const
{
    return path + "/" + name;
}

std::string TempFolder::write(const std::string& name, const Bytes& bytes) const
{
    std::string full = file(name);
    std::ofstream out(full, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return full;
}

std::vector<std::string> TempFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    return names;
}

static std::string read_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

RunResult run_render(const std::vector<std::string>& args, long max_file_bytes)
{
    TempFolder capture;
    std::string out_path = capture.file("stdout");
    std::string err_path = capture.file("stderr");
    std::vector<char*> argv;
    std::string program = TONKLE_RENDER_EXE;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        int out_fd = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err_fd = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out_fd, STDOUT_FILENO);
        dup2(err_fd, STDERR_FILENO);
        if (max_file_bytes > 0) {
            // An ignored SIGXFSZ stays ignored across exec, so an over-long write fails with
            // EFBIG instead of ending the program.
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = {static_cast<rlim_t>(max_file_bytes), static_cast<rlim_t>(max_file_bytes)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    RunResult result;
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = read_text(out_path);
    result.err = read_text(err_path);
    return result;
}

bool file_exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

Bytes read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

static uint32_t le32(const Bytes& b, size_t at)
{
    return uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) | (uint32_t{b[at + 3]} << 24);
}

static int le16(const Bytes& b, size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

WavFile read_wav(const std::string& path)
{
    Bytes b = read_file(path);
    WavFile wav{};
    if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt " || le32(b, 16) != 16 || le16(b, 20) != 1 ||
        std::string(b.begin() + 36, b.begin() + 40) != "data")
        return wav;
    wav.riff_size = le32(b, 4);
    wav.channels = le16(b, 22);
    wav.rate_hz = static_cast<int>(le32(b, 24));
    wav.bits = le16(b, 34);
    wav.data_bytes = le32(b, 40);
    bool sizes_agree = wav.riff_size == b.size() - 8 && wav.data_bytes == b.size() - 44 &&
                       le32(b, 28) == static_cast<uint32_t>(wav.rate_hz) * 2 && le16(b, 32) == 2;
    wav.valid = sizes_agree;
    for (size_t at = 44; at + 1 < b.size(); at += 2)
        wav.samples.push_back(static_cast<int16_t>(le16(b, at)));
    return wav;
}
