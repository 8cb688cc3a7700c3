#include "formats/fontcheck.h"

#include "formats/lzw.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>

namespace formats {

namespace {

// The fewest glyph bytes a font of this header can do with: one glyph for each code Start … End
// (grey ones of a byte a pixel, monochrome ones in rows of whole bytes).
int64_t declaredglyphbytes(int64_t format, uint8_t start, uint8_t end, int64_t width,
                           int64_t height) {
    const bool grey = format == t_Font::Grey || format == t_Font::CompressedGrey;
    const int64_t glyphs = std::max<int64_t>(int64_t{end} - start + 1, 0);
    return glyphs * height * (grey ? width : (width + 7) / 8);
}

} // namespace

std::string fontfileproblem(std::span<const uint8_t> bytes) {
    if (bytes.empty()) {
        return "is empty or cannot be read";
    }
    if (bytes.size() < 16 || bytes.size() < bytes[0]) {
        return "is shorter than its header";
    }
    const t_Font standard;
    if (!std::equal(standard.Identifier.begin(), standard.Identifier.end(), bytes.begin() + 1)) {
        return "is not a font resource file";
    }
    const int64_t format = bytes[5];
    if (format != t_Font::Monochrome && format != t_Font::Grey &&
        format != t_Font::CompressedMonochrome && format != t_Font::CompressedGrey) {
        return "has the unknown glyph format " + std::to_string(format);
    }
    std::span<const uint8_t> glyphs = bytes.subspan(bytes[0]);
    LzwResult decoded;
    if (format >= t_Font::CompressedMonochrome) {
        decoded = lzwdecode(glyphs);
        if (decoded.status != LzwStatus::Ok) {
            return "has compressed glyphs that do not decode";
        }
        glyphs = decoded.data;
    }
    const int64_t declared = declaredglyphbytes(format, bytes[10], bytes[11], bytes[12], bytes[13]);
    if (declared == 0 || static_cast<int64_t>(glyphs.size()) < declared) {
        return "holds " + std::to_string(glyphs.size()) + " of the " + std::to_string(declared) +
               " bytes of glyphs it declares";
    }
    return {};
}

} // namespace formats
