#include "text_cp932.h"

static const char HEX_DIGITS[] = "0123456789abcdef";

// Lead bytes of double-byte characters are 81-9F and E0-FC, followed by 40-7E or 80-FC.
// 00-7F (ASCII) and A1-DF (half-width katakana) stand alone; 80, A0 and FD-FF are no
// character. Control bytes are refused too: a tab or a newline would split an output line.
int text_cp932_char_length(const unsigned char* bytes, size_t left)
{
    unsigned char lead = bytes[0];
    if (lead < 0x20 || lead == 0x7F)
        return 0;
    if (lead < 0x80 || (lead >= 0xA1 && lead <= 0xDF))
        return 1;
    bool is_lead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    if (!is_lead || left < 2)
        return 0;
    unsigned char trail = bytes[1];
    bool is_trail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
    return is_trail ? 2 : 0;
}

void text_escape_byte(unsigned char byte, std::string& out)
{
    out += "\\x";
    out += HEX_DIGITS[byte >> 4];
    out += HEX_DIGITS[byte & 0x0F];
}

std::string text_hex(const char* bytes, size_t size)
{
    std::string out;
    out.reserve(size * 2);
    for (size_t i = 0; i < size; i++) {
        unsigned char byte = static_cast<unsigned char>(bytes[i]);
        out += HEX_DIGITS[byte >> 4];
        out += HEX_DIGITS[byte & 0x0F];
    }
    return out;
}
