// Code page 932 to UTF-8 with iconv, one character at a time, so that a character the table
// does not hold becomes an escape without losing the rest of the text.
#include <iconv.h>

#include "text_cp932.h"

static bool text_convert_char(iconv_t converter, const unsigned char* bytes, int length, std::string& out)
{
    char in_buffer[2] = {static_cast<char>(bytes[0]), length > 1 ? static_cast<char>(bytes[1]) : '\0'};
    char out_buffer[16];
    char* in = in_buffer;
    size_t in_left = static_cast<size_t>(length);
    char* converted = out_buffer;
    size_t out_left = sizeof out_buffer;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in, &in_left, &converted, &out_left) == static_cast<size_t>(-1) || in_left != 0)
        return false;
    out.append(out_buffer, static_cast<size_t>(converted - out_buffer));
    return true;
}

std::string text_cp932_to_utf8(const char* text, size_t size)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    std::string out;
    // Without the converter every non-ASCII byte is shown as an escape rather than guessed at.
    iconv_t converter = iconv_open("UTF-8", "CP932");
    size_t i = 0;
    while (i < size) {
        int length = text_cp932_char_length(bytes + i, size - i);
        bool ascii = length == 1 && bytes[i] < 0x80;
        if (ascii) {
            out += static_cast<char>(bytes[i]);
        } else if (length > 0 && converter != reinterpret_cast<iconv_t>(-1) &&
                   text_convert_char(converter, bytes + i, length, out)) {
            i += static_cast<size_t>(length);
            continue;
        } else {
            text_escape_byte(bytes[i], out);
        }
        i++;
    }
    if (converter != reinterpret_cast<iconv_t>(-1))
        iconv_close(converter);
    return out;
}
