#include "formats/lzw.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <unordered_map>

namespace formats {

namespace {

// A dictionary string, kept as the place where it already stands in the output: every entry is
// the previous string followed by the first byte of the string decoded after it, and the two stand
// next to each other in the output. Eight bytes per entry, whatever the string's length.
struct Span {
    uint32_t offset;
    uint32_t length;
};

struct Code {
    uint64_t low; // the lowest 64 bits of the code
    bool fits;    // false when a set bit lies above those 64
};

class CodeReader {
  public:
    CodeReader(std::span<const uint8_t> codes, unsigned codewidth)
        : bytes(codes), width(codewidth) {}

    size_t count() const { return width == 0 ? 0 : bytes.size() * 8 / width; }

    Code read(size_t index) const {
        size_t position = index * width;
        if (width <= 56 && (position >> 3) + 8 <= bytes.size()) {
            // The eight bytes from the code's first one hold all of it.
            uint64_t word = 0;
            std::memcpy(&word, bytes.data() + (position >> 3), 8);
            if constexpr (std::endian::native == std::endian::little) {
                word = __builtin_bswap64(word);
            }
            return Code{(word << (position & 7)) >> (64 - width), true};
        }
        Code code{0, true};
        for (unsigned i = 0; i < width; ++i, ++position) {
            unsigned bit = (bytes[position >> 3] >> (7 - (position & 7))) & 1u;
            if (code.low >> 63) {
                code.fits = false;
            }
            code.low = (code.low << 1) | bit;
        }
        return code;
    }

  private:
    std::span<const uint8_t> bytes;
    unsigned width;
};

LzwResult failed(LzwStatus status) {
    return LzwResult{{}, status};
}

class CodeWriter {
  public:
    explicit CodeWriter(unsigned codewidth) : width(codewidth) {
        bytes.push_back(static_cast<uint8_t>(width));
    }

    void write(uint32_t code) {
        for (unsigned i = width; i-- > 0;) {
            pending = static_cast<uint8_t>((pending << 1) | ((code >> i) & 1u));
            if (++used == 8) {
                bytes.push_back(pending);
                pending = 0;
                used = 0;
            }
        }
    }

    std::vector<uint8_t> finish() {
        if (used > 0) {
            bytes.push_back(static_cast<uint8_t>(pending << (8 - used)));
        }
        return std::move(bytes);
    }

  private:
    unsigned width;
    std::vector<uint8_t> bytes;
    uint8_t pending = 0;
    unsigned used = 0;
};

std::vector<uint32_t> lzwcodes(std::span<const uint8_t> data) {
    std::vector<uint32_t> codes;
    if (data.empty()) {
        return codes;
    }
    std::unordered_map<uint64_t, uint32_t> dictionary;
    dictionary.reserve(data.size());
    uint32_t next = 256;
    uint32_t current = data[0];
    for (size_t i = 1; i < data.size(); ++i) {
        uint64_t key = (uint64_t{current} << 8) | data[i];
        if (auto found = dictionary.find(key); found != dictionary.end()) {
            current = found->second;
            continue;
        }
        codes.push_back(current);
        dictionary.emplace(key, next++);
        current = data[i];
    }
    codes.push_back(current);
    return codes;
}

} // namespace

LzwResult lzwdecode(std::span<const uint8_t> compressed, size_t limit) {
    if (compressed.empty()) {
        return {};
    }
    // Offsets and lengths are 32-bit; no font comes near that.
    limit = std::min<size_t>(limit, std::numeric_limits<uint32_t>::max() - 1);
    CodeReader reader(compressed.subspan(1), compressed[0]);
    const size_t count = reader.count();
    if (count == 0) {
        return {};
    }
    if (limit == 0) {
        return failed(LzwStatus::TooLong);
    }
    std::vector<uint8_t> output;
    // Room for what a font's glyphs usually give, so that the output is seldom moved.
    output.reserve(std::min(limit, compressed.size() * 8));
    std::vector<Span> dictionary;
    dictionary.reserve(std::min<size_t>(count, size_t{1} << 16));
    output.push_back(static_cast<uint8_t>(reader.read(0).low));
    Span previous{0, 1};
    for (size_t i = 1; i < count; ++i) {
        const Code code = reader.read(i);
        const uint64_t next = 256 + dictionary.size();
        if (!code.fits || code.low > next) {
            return failed(LzwStatus::InvalidCode);
        }
        const Span source = code.low < 256    ? Span{0, 1}
                            : code.low < next ? dictionary[code.low - 256]
                                              : Span{previous.offset, previous.length + 1};
        if (source.length > limit - output.size()) {
            return failed(LzwStatus::TooLong);
        }
        const auto start = static_cast<uint32_t>(output.size());
        output.resize(output.size() + source.length);
        uint8_t* target = output.data() + start;
        if (code.low < 256) {
            target[0] = static_cast<uint8_t>(code.low);
        } else if (code.low < next) {
            std::memcpy(target, output.data() + source.offset, source.length);
        } else {
            // The code being defined: the previous string and its own first byte.
            std::memcpy(target, output.data() + previous.offset, previous.length);
            target[previous.length] = output[previous.offset];
        }
        dictionary.push_back(Span{previous.offset, previous.length + 1});
        previous = Span{start, source.length};
    }
    return LzwResult{std::move(output), LzwStatus::Ok};
}

std::vector<uint8_t> lzwencode(std::span<const uint8_t> data) {
    const std::vector<uint32_t> codes = lzwcodes(data);
    uint32_t largest = 0;
    for (uint32_t code : codes) {
        largest = std::max(largest, code);
    }
    CodeWriter writer(std::max(8u, static_cast<unsigned>(std::bit_width(largest))));
    for (uint32_t code : codes) {
        writer.write(code);
    }
    return writer.finish();
}

} // namespace formats
