// Code page 932 (Japanese, Shift-JIS) text shown on a UTF-8 terminal.
#pragma once

#include <cstddef>
#include <string>

// Bytes of the character that starts at `bytes` (1 or 2), or 0 when that byte starts no
// printable character: control bytes and bytes outside the code page. `left` bytes remain.
int text_cp932_char_length(const unsigned char* bytes, size_t left);

// Appends `\xNN` for one byte.
void text_escape_byte(unsigned char byte, std::string& out);

// The text as UTF-8. A byte that does not convert (outside the code page, an invalid or
// unassigned pair, a control byte that would break the line) is shown as `\xNN`.
std::string text_cp932_to_utf8(const char* bytes, size_t size);

// Lower-case hex of every byte, no separators.
std::string text_hex(const char* bytes, size_t size);
