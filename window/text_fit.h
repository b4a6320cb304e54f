// Copying code page 932 text into fixed buffers without overflowing them and without cutting a
// double-byte character in half.
#pragma once

#include <cstddef>

// Copies at most capacity - 1 bytes of `text` into `out` and terminates it; a lead byte whose
// trail byte would not fit is left out. Returns the number of bytes copied.
size_t text_fit(char* out, size_t capacity, const char* text);
