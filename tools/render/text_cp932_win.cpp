// Code page 932 to UTF-8 through UTF-16, one character at a time, so that a character the table
// does not hold becomes an escape without losing the rest of the text.
#include <windows.h>

#include "text_cp932.h"

static bool text_convert_char(const unsigned char* bytes, int length, std::string& out)
{
    wchar_t wide[4];
    int wide_count = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                                         length, wide, 4);
    if (wide_count <= 0)
        return false;
    char utf8[16];
    int utf8_count = WideCharToMultiByte(CP_UTF8, 0, wide, wide_count, utf8, sizeof utf8, nullptr, nullptr);
    if (utf8_count <= 0)
        return false;
    out.append(utf8, static_cast<size_t>(utf8_count));
    return true;
}

std::string text_cp932_to_utf8(const char* text, size_t size)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    std::string out;
    size_t i = 0;
    while (i < size) {
        int length = text_cp932_char_length(bytes + i, size - i);
        bool ascii = length == 1 && bytes[i] < 0x80;
        if (ascii) {
            out += static_cast<char>(bytes[i]);
        } else if (length > 0 && text_convert_char(bytes + i, length, out)) {
            i += static_cast<size_t>(length);
            continue;
        } else {
            text_escape_byte(bytes[i], out);
        }
        i++;
    }
    return out;
}
