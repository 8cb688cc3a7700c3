#include "formats/fontwriter.h"

#include "formats/lzw.h"
#include "quorvinthal/toolkit.h"

namespace formats {

namespace {

constexpr uint8_t standardheadersize = 16;

void appendbigendian(std::vector<uint8_t>& bytes, uint64_t value, int length) {
    for (int shift = 8 * (length - 1); shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
}

} // namespace

std::vector<uint8_t> fontresourcebytes(const t_Font& font) {
    std::vector<uint8_t> bytes;
    bytes.reserve(standardheadersize + font.Data.size());
    bytes.push_back(standardheadersize);
    for (size_t i = 0; i < 4; ++i) {
        bytes.push_back(i < font.Identifier.size() ? font.Identifier[i] : 0);
    }
    appendbigendian(bytes, static_cast<uint64_t>(font.Format), 1);
    appendbigendian(bytes, static_cast<uint64_t>(font.Size), 4);
    bytes.push_back(font.Start);
    bytes.push_back(font.End);
    appendbigendian(bytes, static_cast<uint64_t>(font.Width), 1);
    appendbigendian(bytes, static_cast<uint64_t>(font.Height), 1);
    appendbigendian(bytes, static_cast<uint64_t>(font.Reserved), 2);
    bytes.insert(bytes.end(), font.Data.begin(), font.Data.end());
    return bytes;
}

t_Font compressfont(const t_Font& font) {
    if (font.Format != t_Font::Monochrome && font.Format != t_Font::Grey) {
        return font;
    }
    t_Font result = font;
    result.Data = lzwencode(font.Data);
    result.Format =
        font.Format == t_Font::Grey ? t_Font::CompressedGrey : t_Font::CompressedMonochrome;
    return result;
}

} // namespace formats
