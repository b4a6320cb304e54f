// Reading a song on Windows: opened without sharing, sized, and read with one ReadFile.
#include <windows.h>

#include <new>

#include "platform.h"

int platform_read_file(const char* path, int64_t max_size, std::unique_ptr<unsigned char[]>& bytes,
                       int32_t& size)
{
    bytes.reset();
    size = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    LARGE_INTEGER file_size{};
    if (!GetFileSizeEx(file, &file_size) || file_size.QuadPart > max_size) {
        CloseHandle(file);
        return 0;
    }
    const DWORD wanted = static_cast<DWORD>(file_size.QuadPart);
    // One spare byte so that an empty file still gets a buffer of its own.
    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[wanted + 1ull]);
    DWORD done = 0;
    BOOL read_ok = buffer && ReadFile(file, buffer.get(), wanted, &done, nullptr);
    CloseHandle(file);
    if (!read_ok || done != wanted)
        return 0;
    bytes = std::move(buffer);
    size = static_cast<int32_t>(wanted);
    return 1;
}
