#include "formats/aiff.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace formats {

namespace {

constexpr size_t chunkheadersize = 8;
constexpr size_t commonchunksize = 18;
constexpr size_t soundheadersize = 8; // offset and block size before the sample data

uint64_t bigendian(std::span<const uint8_t> bytes) {
    uint64_t value = 0;
    for (uint8_t b : bytes) {
        value = value << 8 | b;
    }
    return value;
}

bool hasid(std::span<const uint8_t> bytes, size_t at, const char (&id)[5]) {
    return bytes.size() >= at + 4 && std::memcmp(bytes.data() + at, id, 4) == 0;
}

struct CommonChunk {
    int64_t channels = 0;
    uint64_t frames = 0;
    int64_t bits = 0;
    double samplerate = 0;
};

CommonChunk readcommon(std::span<const uint8_t> body) {
    CommonChunk c;
    c.channels = static_cast<int16_t>(bigendian(body.subspan(0, 2)));
    c.frames = bigendian(body.subspan(2, 4));
    c.bits = static_cast<int16_t>(bigendian(body.subspan(6, 2)));
    c.samplerate = extendedtodouble(body.subspan<8, 10>());
    return c;
}

bool playable(const CommonChunk& c) {
    return c.channels >= 1 && c.channels <= aiffmaxchannels && c.bits >= 1 && c.bits <= 32 &&
           std::isfinite(c.samplerate) && c.samplerate >= 1 && c.samplerate <= aiffmaxsamplerate;
}

// Samples are left-justified in whole bytes; keeping the top 16 bits scales every size to 16.
int16_t sample16(std::span<const uint8_t> bytes) {
    const size_t width = bytes.size();
    const uint64_t raw = bigendian(bytes);
    const uint32_t top = width >= 2 ? static_cast<uint32_t>(raw >> (8 * (width - 2)))
                                    : static_cast<uint32_t>(raw << 8);
    return static_cast<int16_t>(static_cast<uint16_t>(top));
}

// The chunks the reader needs, located within the FORM.
struct Chunks {
    std::optional<std::span<const uint8_t>> common;
    std::optional<std::span<const uint8_t>> sound;
    bool truncated = false;
};

// Every chunk length is checked against the end of the FORM; a chunk of odd length is followed
// by a pad byte, which may be missing after the last chunk.
Chunks findchunks(std::span<const uint8_t> form) {
    Chunks found;
    size_t at = 0;
    while (form.size() - at >= chunkheadersize) {
        const std::span<const uint8_t> header = form.subspan(at, chunkheadersize);
        const uint64_t length = bigendian(header.subspan(4, 4));
        if (length > form.size() - at - chunkheadersize) {
            found.truncated = true;
            return found;
        }
        const std::span<const uint8_t> body = form.subspan(at + chunkheadersize, length);
        if (hasid(header, 0, "COMM") && !found.common) {
            found.common = body;
        } else if (hasid(header, 0, "SSND") && !found.sound) {
            found.sound = body;
        }
        at += chunkheadersize + length;
        at += std::min<size_t>(length & 1, form.size() - at);
    }
    return found;
}

AiffSound failure(AiffStatus status) {
    AiffSound sound;
    sound.status = status;
    return sound;
}

AiffSound decode(const CommonChunk& common, std::span<const uint8_t> ssnd) {
    if (ssnd.size() < soundheadersize) {
        return failure(AiffStatus::Truncated);
    }
    const uint64_t offset = bigendian(ssnd.subspan(0, 4));
    const std::span<const uint8_t> rest = ssnd.subspan(soundheadersize);
    const uint64_t width = static_cast<uint64_t>(common.bits + 7) / 8;
    // At most 2^32 frames of 64 channels of 4 bytes: no overflow in 64 bits.
    const uint64_t needed = common.frames * static_cast<uint64_t>(common.channels) * width;
    if (offset > rest.size() || needed > rest.size() - offset) {
        return failure(AiffStatus::Truncated);
    }
    AiffSound sound;
    sound.status = AiffStatus::Ok;
    sound.channels = common.channels;
    sound.bits = common.bits;
    sound.samplerate = std::llround(common.samplerate);
    const std::span<const uint8_t> data = rest.subspan(offset, needed);
    sound.samples.reserve(needed / width);
    for (size_t at = 0; at < data.size(); at += width) {
        sound.samples.push_back(sample16(data.subspan(at, width)));
    }
    return sound;
}

} // namespace

AiffSound parseaiff(std::span<const uint8_t> bytes) {
    if (!hasid(bytes, 0, "FORM") || !hasid(bytes, 8, "AIFF")) {
        return failure(AiffStatus::NotAiff);
    }
    const uint64_t formlength = bigendian(bytes.subspan(4, 4));
    if (formlength < 4) {
        return failure(AiffStatus::NotAiff);
    }
    const uint64_t available = bytes.size() - 8;
    const Chunks chunks = findchunks(bytes.subspan(12, std::min(formlength, available) - 4));
    // Some writers count the last chunk's pad byte without writing it.
    if (chunks.truncated || formlength > available + 1) {
        return failure(AiffStatus::Truncated);
    }
    if (!chunks.common) {
        return failure(AiffStatus::NoCommonChunk);
    }
    if (chunks.common->size() < commonchunksize) {
        return failure(AiffStatus::Truncated);
    }
    if (!chunks.sound) {
        return failure(AiffStatus::NoSoundData);
    }
    const CommonChunk common = readcommon(*chunks.common);
    if (!playable(common)) {
        return failure(AiffStatus::Unsupported);
    }
    return decode(common, *chunks.sound);
}

double extendedtodouble(std::span<const uint8_t, 10> bytes) {
    const bool negative = (bytes[0] & 0x80) != 0;
    const int exponent = static_cast<int>(bigendian(bytes.subspan(0, 2)) & 0x7FFF);
    const uint64_t mantissa = bigendian(bytes.subspan(2, 8));
    double value = 0;
    if (exponent == 0x7FFF) {
        // Only the fraction bits below the explicit integer bit tell infinity from NaN.
        value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::quiet_NaN();
    } else {
        // The mantissa holds its integer bit explicitly: value = mantissa * 2^(exponent - 16383 -
        // 63).
        value = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
    }
    return negative ? -value : value;
}

std::array<uint8_t, 10> extendedfromrate(uint32_t rate) {
    std::array<uint8_t, 10> bytes{};
    if (rate == 0) {
        return bytes;
    }
    const int highest = std::bit_width(rate) - 1;
    const uint64_t mantissa = static_cast<uint64_t>(rate) << (63 - highest);
    const uint16_t exponent = static_cast<uint16_t>(16383 + highest);
    bytes[0] = static_cast<uint8_t>(exponent >> 8);
    bytes[1] = static_cast<uint8_t>(exponent);
    for (int i = 0; i < 8; ++i) {
        bytes[2 + i] = static_cast<uint8_t>(mantissa >> (56 - 8 * i));
    }
    return bytes;
}

namespace {

void putid(std::vector<uint8_t>& out, const char (&id)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(id[i]));
    }
}

void putbigendian(std::vector<uint8_t>& out, uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

} // namespace

std::vector<uint8_t> encodeaiff(int64_t channels, uint32_t samplerate,
                                std::span<const int16_t> samples) {
    const uint64_t datalength = samples.size() * 2;
    const uint64_t soundlength = soundheadersize + datalength;
    std::vector<uint8_t> out;
    out.reserve(12 + chunkheadersize * 2 + commonchunksize + soundlength);
    putid(out, "FORM");
    putbigendian(out, 4 + chunkheadersize + commonchunksize + chunkheadersize + soundlength, 4);
    putid(out, "AIFF");
    putid(out, "COMM");
    putbigendian(out, commonchunksize, 4);
    putbigendian(out, static_cast<uint64_t>(channels), 2);
    putbigendian(out, channels > 0 ? samples.size() / static_cast<uint64_t>(channels) : 0, 4);
    putbigendian(out, 16, 2);
    for (uint8_t b : extendedfromrate(samplerate)) {
        out.push_back(b);
    }
    putid(out, "SSND");
    putbigendian(out, soundlength, 4);
    putbigendian(out, 0, 4); // offset
    putbigendian(out, 0, 4); // block size
    for (int16_t s : samples) {
        putbigendian(out, static_cast<uint16_t>(s), 2);
    }
    return out;
}

} // namespace formats
