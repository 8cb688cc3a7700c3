// g_PrintString: the characters of a text, one g_PrintSymbol after the other.
#include "quorvinthal/toolkit.h"
#include "unicode/graphemes.h"

void g_PrintString(uint8_t n, const std::string& text, int64_t scalex, int64_t scaley,
                   t_RGBColor foreground, t_RGBColor background, const t_Font& font) {
    if (scalex < 1 || scaley < 1) {
        return;
    }
    for (size_t pos = 0; pos < text.size();) {
        int32_t scalar = 0;
        pos += unicode::decodescalar(text, pos, scalar);
        uint8_t code = static_cast<uint8_t>(scalar & 0xFF);
        if (code >= 32) {
            g_PrintSymbol(n, code, scalex, scaley, foreground, background, font);
        }
    }
}
