// Arbitrary bytes as a font resource file and as compressed glyph data.
#include "base/log.h"
#include "formats/fontloader.h"
#include "formats/lzw.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// A small limit must cut exactly the streams that decode to more than it.
void checklimit(std::span<const uint8_t> bytes, const formats::LzwResult& whole) {
    constexpr size_t smalllimit = 4096;
    const formats::LzwResult limited = formats::lzwdecode(bytes, smalllimit);
    if (whole.status == formats::LzwStatus::InvalidCode) {
        require(limited.status != formats::LzwStatus::Ok);
    } else if (whole.status == formats::LzwStatus::Ok && whole.data.size() <= smalllimit) {
        require(limited.status == formats::LzwStatus::Ok && limited.data == whole.data);
    } else {
        require(limited.status == formats::LzwStatus::TooLong);
    }
}

void checkroundtrip(const formats::LzwResult& decoded) {
    if (decoded.status != formats::LzwStatus::Ok || decoded.data.size() > 65536) {
        return;
    }
    require(formats::lzwdecode(formats::lzwencode(decoded.data)).data == decoded.data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        base::setlogsink([](std::string_view) {});
        return true;
    }();
    (void)quiet;
    const std::span<const uint8_t> bytes(data, size);

    const t_Font font = formats::parsefontresource(bytes, "fuzz.font");
    require(font.Format != t_Font::CompressedGrey && font.Format != t_Font::CompressedMonochrome);
    require(font.Data.size() <= std::max(size, formats::lzwmaxoutput));

    const formats::LzwResult decoded = formats::lzwdecode(bytes);
    require(decoded.data.size() <= formats::lzwmaxoutput);
    require(decoded.status == formats::LzwStatus::Ok || decoded.data.empty());
    checklimit(bytes, decoded);
    checkroundtrip(decoded);
    return 0;
}
