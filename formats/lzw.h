#pragma once
// Fixed-width LZW of compressed font data: one byte with the code width w, then w-bit codes packed
// most significant bit first. There is no clear code, no end code and no limit on the dictionary;
// bits at the end that do not fill a whole code are ignored.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace formats {

// The most glyph data any font can use: 256 glyphs of 255 x 255 grey bytes. A longer stream is
// treated as invalid, so that a tiny hostile file cannot make the decoder allocate without bound
// (LZW output grows quadratically with the number of codes).
inline constexpr size_t lzwmaxoutput = size_t{256} * 255 * 255;

enum class LzwStatus {
    Ok,
    InvalidCode, // a code neither in the dictionary nor the next free one
    TooLong,     // the output would exceed the limit
};

struct LzwResult {
    std::vector<uint8_t> data; // empty unless status is Ok
    LzwStatus status = LzwStatus::Ok;
};

LzwResult lzwdecode(std::span<const uint8_t> compressed, size_t limit = lzwmaxoutput);

// The exact inverse of lzwdecode: the width is the smallest that holds every code emitted, but at
// least 8, so that the padding of the last byte can never be read as another code.
std::vector<uint8_t> lzwencode(std::span<const uint8_t> data);

} // namespace formats
