// Arbitrary bytes as a font resource file and as compressed glyph data.
#include "core/log.h"
#include "text/fontloader.h"
#include "text/lzw.h"

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
void checklimit(std::span<const uint8_t> bytes, const LzwResult& whole) {
    constexpr size_t SmallLimit = 4096;
    const LzwResult limited = lzwdecode(bytes, SmallLimit);
    if (whole.Status == LzwStatus::InvalidCode) {
        require(limited.Status != LzwStatus::Ok);
    } else if (whole.Status == LzwStatus::Ok && whole.Data.size() <= SmallLimit) {
        require(limited.Status == LzwStatus::Ok && limited.Data == whole.Data);
    } else {
        require(limited.Status == LzwStatus::TooLong);
    }
}

void checkroundtrip(const LzwResult& decoded) {
    if (decoded.Status != LzwStatus::Ok || decoded.Data.size() > 65536) {
        return;
    }
    require(lzwdecode(lzwencode(decoded.Data)).Data == decoded.Data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        setlogsink([](std::string_view) {});
        return true;
    }();
    (void)quiet;
    const std::span<const uint8_t> bytes(data, size);

    const t_Font font = parsefontresource(bytes, "fuzz.font");
    require(font.Format != FontCompressedGrey && font.Format != FontCompressedMonochrome);
    require(font.Data.size() <= std::max(size, LzwMaxOutput));

    const LzwResult decoded = lzwdecode(bytes);
    require(decoded.Data.size() <= LzwMaxOutput);
    require(decoded.Status == LzwStatus::Ok || decoded.Data.empty());
    checklimit(bytes, decoded);
    checkroundtrip(decoded);
    return 0;
}
