#include "formats/fontloader.h"

#include "base/log.h"
#include "formats/binaryfile.h"
#include "formats/lzw.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>

namespace formats {

namespace {

// Header bytes past the end of a short file read as 0.
uint8_t byteat(std::span<const uint8_t> bytes, size_t index) {
    return index < bytes.size() ? bytes[index] : 0;
}

uint64_t bigendian(std::span<const uint8_t> bytes, size_t offset, size_t length) {
    uint64_t value = 0;
    for (size_t i = 0; i < length; ++i) {
        value = (value << 8) | byteat(bytes, offset + i);
    }
    return value;
}

} // namespace

t_Font parsefontresource(std::span<const uint8_t> bytes, const std::string& name) {
    t_Font font;
    if (bytes.empty()) {
        base::logline("t_LoadFontResource: Could not load file \u201E" + name + "\u201C");
        return font;
    }
    font.HeaderSize = bytes[0];
    if (bytes.size() < static_cast<size_t>(font.HeaderSize)) {
        base::logline("t_LoadFontResource: Invalid header size");
        return font;
    }
    const std::vector<uint8_t> identifier = font.Identifier;
    font.Identifier = {byteat(bytes, 1), byteat(bytes, 2), byteat(bytes, 3), byteat(bytes, 4)};
    if (font.Identifier != identifier) {
        base::logline("t_LoadFontResource: Invalid file type");
        return font;
    }
    font.Format = byteat(bytes, 5);
    font.Size = bytes.size() < 10 ? 0 : static_cast<int64_t>(bigendian(bytes, 6, 4));
    font.Start = byteat(bytes, 10);
    font.End = byteat(bytes, 11);
    font.Width = byteat(bytes, 12);
    font.Height = byteat(bytes, 13);
    font.Reserved = bytes.size() < 16 ? 0 : static_cast<int64_t>(bigendian(bytes, 14, 2));
    font.Data.assign(bytes.begin() + font.HeaderSize, bytes.end());
    return uncompressfont(font);
}

t_Font uncompressfont(const t_Font& font) {
    if (font.Format != t_Font::CompressedMonochrome && font.Format != t_Font::CompressedGrey) {
        return font;
    }
    t_Font result = font;
    result.Data = lzwdecode(font.Data).data;
    result.Format = font.Format == t_Font::CompressedGrey ? t_Font::Grey : t_Font::Monochrome;
    return result;
}

} // namespace formats
