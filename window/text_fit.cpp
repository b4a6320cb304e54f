#include "text_fit.h"

static bool is_lead_byte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

size_t text_fit(char* out, size_t capacity, const char* text)
{
    if (capacity == 0)
        return 0;
    size_t used = 0;
    while (text[used] != '\0') {
        size_t width = is_lead_byte(static_cast<unsigned char>(text[used])) && text[used + 1] != '\0' ? 2 : 1;
        if (used + width > capacity - 1)
            break;
        for (size_t i = 0; i < width; i++)
            out[used + i] = text[used + i];
        used += width;
    }
    out[used] = '\0';
    return used;
}
