// POSIX side of the renderer: terminals, the temporary output file, replacing the target, and
// removing the temporary file when the render is interrupted.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "player_state.h"
#include "render_os.h"
#include "render_state.h"

void render_os_prepare_console() {}

int render_os_stderr_is_terminal()
{
    return isatty(STDERR_FILENO) ? 1 : 0;
}

void render_os_describe_read_failure(const char* path, char* reason, size_t capacity)
{
    struct stat info {};
    if (stat(path, &info) != 0) {
        std::snprintf(reason, capacity, "%s", std::strerror(errno));
        return;
    }
    if (S_ISDIR(info.st_mode)) {
        std::snprintf(reason, capacity, "it is a folder, not a file");
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        std::snprintf(reason, capacity, "it is not a regular file");
        return;
    }
    if (info.st_size > SONG_MAX_BYTES) {
        std::snprintf(reason, capacity, "it is too large (%lld bytes; at most %lld)",
                      static_cast<long long>(info.st_size), static_cast<long long>(SONG_MAX_BYTES));
        return;
    }
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::snprintf(reason, capacity, "%s", std::strerror(errno));
        return;
    }
    close(fd);
    std::snprintf(reason, capacity, "it could not be read");
}

FILE* render_os_create_temp(const char* target, char* temp_path, size_t capacity, char* reason,
                            size_t reason_capacity)
{
    for (int attempt = 0; attempt < 100; attempt++) {
        int written = std::snprintf(temp_path, capacity, "%s.part-%ld-%d", target, static_cast<long>(getpid()), attempt);
        if (written < 0 || static_cast<size_t>(written) >= capacity) {
            std::snprintf(reason, reason_capacity, "the file name is too long");
            return nullptr;
        }
        int fd = open(temp_path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            std::snprintf(reason, reason_capacity, "%s", std::strerror(errno));
            return nullptr;
        }
        FILE* file = fdopen(fd, "wb");
        if (file == nullptr) {
            std::snprintf(reason, reason_capacity, "%s", std::strerror(errno));
            close(fd);
            unlink(temp_path);
        }
        return file;
    }
    std::snprintf(reason, reason_capacity, "no free temporary name beside it");
    return nullptr;
}

int render_os_replace(const char* from, const char* to, char* reason, size_t reason_capacity)
{
    if (rename(from, to) == 0)
        return 1;
    std::snprintf(reason, reason_capacity, "%s", std::strerror(errno));
    return 0;
}

void render_os_remove(const char* path)
{
    unlink(path);
}

// Only async-signal-safe calls here: unlink, then the default action of the signal.
static void render_os_on_interrupt(int signal_number)
{
    if (render.temp_exists)
        unlink(render.temp_path);
    std::signal(signal_number, SIG_DFL);
    raise(signal_number);
}

// A signal the caller chose to ignore (nohup, a background job) stays ignored.
static void render_os_catch(int signal_number)
{
    if (std::signal(signal_number, render_os_on_interrupt) == SIG_IGN)
        std::signal(signal_number, SIG_IGN);
}

void render_os_remove_temp_on_interrupt()
{
    render_os_catch(SIGINT);
    render_os_catch(SIGTERM);
    render_os_catch(SIGHUP);
}

int render_os_same_file(const char* a, const char* b)
{
    struct stat first {};
    struct stat second {};
    if (stat(a, &first) != 0 || stat(b, &second) != 0)
        return 0;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino ? 1 : 0;
}
