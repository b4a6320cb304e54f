// Windows side of the renderer: the console, the temporary output file, replacing the target,
// and removing the temporary file when the render is interrupted.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "player_state.h"
#include "render_os.h"
#include "render_state.h"

static void render_os_restore_console()
{
    SetConsoleOutputCP(render.saved_console_code_page);
}

void render_os_prepare_console()
{
    // UTF-8 titles show as text in a console; in a pipe the bytes are the same as on Linux.
    // The console outlives the program, so its code page is put back at exit.
    render.saved_console_code_page = GetConsoleOutputCP();
    if (render.saved_console_code_page != 0 && SetConsoleOutputCP(CP_UTF8))
        std::atexit(render_os_restore_console);
    _setmode(_fileno(stdout), _O_BINARY);
}

int render_os_stderr_is_terminal()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) ? 1 : 0;
}

static void render_os_describe_error(DWORD error, char* reason, size_t capacity)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        std::snprintf(reason, capacity, "No such file or directory");
        break;
    case ERROR_ACCESS_DENIED:
        std::snprintf(reason, capacity, "Permission denied");
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        std::snprintf(reason, capacity, "it is in use by another program");
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        std::snprintf(reason, capacity, "No space left on device");
        break;
    default:
        std::snprintf(reason, capacity, "Windows error %lu", static_cast<unsigned long>(error));
        break;
    }
}

void render_os_describe_read_failure(const char* path, char* reason, size_t capacity)
{
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &info)) {
        render_os_describe_error(GetLastError(), reason, capacity);
        return;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        std::snprintf(reason, capacity, "it is a folder, not a file");
        return;
    }
    long long size = (static_cast<long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > SONG_MAX_BYTES) {
        std::snprintf(reason, capacity, "it is too large (%lld bytes; at most %lld)", size,
                      static_cast<long long>(SONG_MAX_BYTES));
        return;
    }
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        render_os_describe_error(GetLastError(), reason, capacity);
        return;
    }
    CloseHandle(file);
    std::snprintf(reason, capacity, "it could not be read");
}

FILE* render_os_create_temp(const char* target, char* temp_path, size_t capacity, char* reason,
                            size_t reason_capacity)
{
    for (int attempt = 0; attempt < 100; attempt++) {
        int written = std::snprintf(temp_path, capacity, "%s.part-%lu-%d", target,
                                    static_cast<unsigned long>(GetCurrentProcessId()), attempt);
        if (written < 0 || static_cast<size_t>(written) >= capacity) {
            std::snprintf(reason, reason_capacity, "the file name is too long");
            return nullptr;
        }
        HANDLE handle = CreateFileA(temp_path, GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                continue;
            render_os_describe_error(error, reason, reason_capacity);
            return nullptr;
        }
        int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
        FILE* file = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
        if (file == nullptr) {
            std::snprintf(reason, reason_capacity, "the file could not be opened for writing");
            if (fd >= 0)
                _close(fd);
            else
                CloseHandle(handle);
            DeleteFileA(temp_path);
        }
        return file;
    }
    std::snprintf(reason, reason_capacity, "no free temporary name beside it");
    return nullptr;
}

int render_os_replace(const char* from, const char* to, char* reason, size_t reason_capacity)
{
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    render_os_describe_error(GetLastError(), reason, reason_capacity);
    return 0;
}

void render_os_remove(const char* path)
{
    DeleteFileA(path);
}

// Runs on a thread of its own while the main thread may still be writing. The temporary file
// is opened with FILE_SHARE_DELETE, so the deletion succeeds at once and takes effect when the
// process ends and its handle closes.
static BOOL WINAPI render_os_on_interrupt(DWORD)
{
    if (render.temp_exists)
        DeleteFileA(render.temp_path);
    ExitProcess(130);
    return TRUE;
}

void render_os_remove_temp_on_interrupt()
{
    SetConsoleCtrlHandler(render_os_on_interrupt, TRUE);
}

static int render_os_file_identity(const char* path, BY_HANDLE_FILE_INFORMATION* info)
{
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    BOOL known = GetFileInformationByHandle(file, info);
    CloseHandle(file);
    return known ? 1 : 0;
}

int render_os_same_file(const char* a, const char* b)
{
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    if (!render_os_file_identity(a, &first) || !render_os_file_identity(b, &second))
        return 0;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
                   first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow
               ? 1
               : 0;
}
