#include "tools/contactsheet.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int Gap = 2;

// Lines of character codes; the box-drawing codes are those of tools/fontcharset.h.
const std::vector<std::vector<uint8_t>> SampleLines = {
    {134, 140, 140, 144, 140, 140, 135, 32, 147, 131, 131, 153, 131, 131, 148, 32, 129, 127, 32},
    {138, 'A', 'g', 138, 'y', 'j', 138, 32, 139, 196, 'p', 139, 'Q', 223, 139, 32, 128, 133, 159},
    {142, 140, 140, 146, 140, 140, 143, 32, 151, 131, 131, 131, 131, 131, 152, 32, 130, 156, 132},
    {136, 140, 140, 145, 140, 140, 137, 32, 149, 131, 131, 158, 131, 131, 150, 32, 157, 141, 157},
    {156, 156, 156, 156, 156, 156, 156, 156, 156, 156, 156, 156, 156, 156, 156, 156, 156, 156, 156},
    {154, 154, 154, 32, 155, 155, 155, 32, 'a', 160, 'b', 32, 171, 187, 32, 177, 189, 176, 'C'},
};

const std::string SampleText[] = {
    "Gr\xF6\xDF"
    "e: 27.03.1964 (Mo)",
    "Physisch 97% \xC4qypg |[_]| ~",
    "Tage: 22.041 \xC5\xC9\xD1\xDC\xE7\xF8\xFE\xFF",
};

struct Colour {
    uint8_t Red, Green, Blue;
};

// Ink blended over a background colour.
void paintcell(RgbImage& image, const GlyphCell& cell, int left, int top, int scale,
               Colour background, Colour ink) {
    for (int y = 0; y < cell.Height * scale; ++y) {
        for (int x = 0; x < cell.Width * scale; ++x) {
            const int g = cell.at(x / scale, y / scale);
            auto blend = [g](uint8_t fore, uint8_t back) {
                return static_cast<uint8_t>((g * fore + (255 - g) * back) / 255);
            };
            image.set(left + x, top + y, blend(ink.Red, background.Red),
                      blend(ink.Green, background.Green), blend(ink.Blue, background.Blue));
        }
    }
}

bool drawn(const t_Font& font, int code) {
    return code >= font.Start && code <= font.End;
}

std::vector<std::vector<uint8_t>> samplelines() {
    std::vector<std::vector<uint8_t>> lines = SampleLines;
    for (const std::string& text : SampleText) {
        lines.emplace_back(text.begin(), text.end());
    }
    return lines;
}

} // namespace

GlyphCell fontglyph(const t_Font& font, uint8_t code) {
    const int width = static_cast<int>(font.Width);
    const int height = static_cast<int>(font.Height);
    GlyphCell cell(width, height);
    if (font.Format == t_Font::Grey) {
        const size_t start = static_cast<size_t>(code) * width * height;
        for (int i = 0; i < width * height && start + i < font.Data.size(); ++i) {
            cell.Ink[i] = font.Data[start + i];
        }
    } else if (font.Format == t_Font::Monochrome) {
        const int rowbytes = (width + 7) / 8;
        const size_t index = static_cast<uint8_t>(code - font.Start);
        const size_t start = index * height * rowbytes;
        for (int y = 0; y < height; ++y) {
            uint64_t row = 0;
            for (int b = 0; b < rowbytes; ++b) {
                const size_t at = start + static_cast<size_t>(y) * rowbytes + b;
                row = (row << 8) | (at < font.Data.size() ? font.Data[at] : 0);
            }
            for (int x = 0; x < std::min(width, 64); ++x) {
                cell.set(x, y, (row >> x) & 1 ? 255 : 0);
            }
        }
    }
    return cell;
}

RgbImage contactsheet(const t_Font& font, int scale) {
    const int cellwidth = static_cast<int>(font.Width) * scale;
    const int cellheight = static_cast<int>(font.Height) * scale;
    const auto lines = samplelines();
    size_t longest = 0;
    for (const auto& line : lines) {
        longest = std::max(longest, line.size());
    }
    const int gridwidth = 17 * (cellwidth + Gap) + Gap;
    const int width = std::max<int>(gridwidth, static_cast<int>(longest) * cellwidth + 2 * Gap);
    const int gridheight = 17 * (cellheight + Gap) + Gap;
    const int height = gridheight + Gap + static_cast<int>(lines.size()) * cellheight + Gap;
    RgbImage image(width, height, 160);

    const Colour white{255, 255, 255}, black{0, 0, 0}, unused{255, 215, 215}, label{30, 60, 200};
    const char* hex = "0123456789ABCDEF";
    for (int i = 0; i < 16; ++i) {
        const int offset = (i + 1) * (cellheight + Gap) + Gap;
        paintcell(image, fontglyph(font, static_cast<uint8_t>(hex[i])),
                  (i + 1) * (cellwidth + Gap) + Gap, Gap, scale, white, label);
        paintcell(image, fontglyph(font, static_cast<uint8_t>(hex[i])), Gap, offset, scale, white,
                  label);
    }
    for (int code = 0; code < 256; ++code) {
        const int left = (code % 16 + 1) * (cellwidth + Gap) + Gap;
        const int top = (code / 16 + 1) * (cellheight + Gap) + Gap;
        paintcell(image, fontglyph(font, static_cast<uint8_t>(code)), left, top, scale,
                  drawn(font, code) ? white : unused, black);
    }
    // Sample lines without gaps, so that lines must join across cells.
    for (size_t row = 0; row < lines.size(); ++row) {
        for (size_t column = 0; column < longest; ++column) {
            const uint8_t code = column < lines[row].size() ? lines[row][column] : ' ';
            paintcell(image, fontglyph(font, code), Gap + static_cast<int>(column) * cellwidth,
                      gridheight + Gap + static_cast<int>(row) * cellheight, scale, white, black);
        }
    }
    return image;
}
