// The few things the renderer needs that differ between POSIX systems and Windows.
#pragma once

#include <cstddef>
#include <cstdio>

// Windows consoles get UTF-8 output and stdout writes bytes unchanged; nothing to do elsewhere.
void render_os_prepare_console();

int render_os_stderr_is_terminal();

// Why the song at `path` could not be read, as a short phrase for an error line. Asked only
// after the loader has refused the file, so it looks at the file again.
void render_os_describe_read_failure(const char* path, char* reason, size_t capacity);

// Creates a new file beside `target` that did not exist before, for writing, and puts its name
// in `temp_path`. Returns nullptr (with `reason` filled) when no such file can be made.
FILE* render_os_create_temp(const char* target, char* temp_path, size_t capacity, char* reason,
                            size_t reason_capacity);

// Moves `from` over `to`, replacing a file already there. 1 on success, else 0 with `reason`.
int render_os_replace(const char* from, const char* to, char* reason, size_t reason_capacity);

void render_os_remove(const char* path);

// From now on an interrupt (Ctrl-C) removes render.temp_path, if it exists, before the process
// ends, so that a cancelled render leaves nothing behind.
void render_os_remove_temp_on_interrupt();

// 1 when both paths name one existing file (also through other names or links).
int render_os_same_file(const char* a, const char* b);
