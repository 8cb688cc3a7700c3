#include "tests/support/testfonts.h"
#include "quorvinthal/toolkit.h"

t_Font makegreyfont(int64_t width, int64_t height, uint8_t start) {
    t_Font font;
    font.Format = t_Font::Grey;
    font.Start = start;
    font.End = 255;
    font.Width = width;
    font.Height = height;
    font.Data.resize(static_cast<size_t>(256 * width * height));
    for (int64_t c = 0; c < 256; ++c) {
        for (int64_t r = 0; r < height; ++r) {
            for (int64_t s = 0; s < width; ++s) {
                font.Data[static_cast<size_t>((c * height + r) * width + s)] =
                    static_cast<uint8_t>(c + r + s);
            }
        }
    }
    return font;
}

t_Font withcell(t_Font font, int64_t width, int64_t height) {
    font.Width = width;
    font.Height = height;
    return font;
}
