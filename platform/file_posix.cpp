// Reading a song on POSIX systems. There are no share modes here; the file is read with one
// open and as few reads as the kernel needs.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include "platform.h"

int platform_read_file(const char* path, int64_t max_size, std::unique_ptr<unsigned char[]>& bytes,
                       int32_t& size)
{
    bytes.reset();
    size = 0;
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > max_size) {
        close(fd);
        return 0;
    }
    const size_t wanted = static_cast<size_t>(info.st_size);
    // One spare byte so that an empty file still gets a buffer of its own.
    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[wanted + 1]);
    size_t done = 0;
    while (buffer && done < wanted) {
        ssize_t got = read(fd, buffer.get() + done, wanted - done);
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    close(fd);
    if (!buffer || done != wanted)
        return 0;
    bytes = std::move(buffer);
    size = static_cast<int32_t>(wanted);
    return 1;
}
