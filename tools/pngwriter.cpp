#include "tools/pngwriter.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace {

std::array<uint32_t, 256> crctable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

uint32_t crc32(const uint8_t* data, size_t length) {
    static const std::array<uint32_t, 256> table = crctable();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) {
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1;
    uint32_t b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void appendbe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void appendchunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    appendbe32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    appendbe32(out, crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> zlibstored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t length = std::min<size_t>(65535, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(length));
        out.push_back(static_cast<uint8_t>(length >> 8));
        out.push_back(static_cast<uint8_t>(~length));
        out.push_back(static_cast<uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
        offset += length;
    } while (offset < raw.size());
    appendbe32(out, adler32(raw));
    return out;
}

} // namespace

void RgbImage::set(int x, int y, uint8_t red, uint8_t green, uint8_t blue) {
    if (x < 0 || y < 0 || x >= Width || y >= Height) {
        return;
    }
    uint8_t* pixel = &Pixels[(static_cast<size_t>(y) * Width + x) * 3];
    pixel[0] = red;
    pixel[1] = green;
    pixel[2] = blue;
}

std::vector<uint8_t> pngbytes(const RgbImage& image) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    appendbe32(header, static_cast<uint32_t>(image.Width));
    appendbe32(header, static_cast<uint32_t>(image.Height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, no filter, no interlace
    appendchunk(out, "IHDR", header);

    std::vector<uint8_t> raw;
    const size_t rowbytes = static_cast<size_t>(image.Width) * 3;
    raw.reserve((rowbytes + 1) * image.Height);
    for (int y = 0; y < image.Height; ++y) {
        raw.push_back(0); // filter: none
        auto row = image.Pixels.begin() + static_cast<ptrdiff_t>(y * rowbytes);
        raw.insert(raw.end(), row, row + static_cast<ptrdiff_t>(rowbytes));
    }
    appendchunk(out, "IDAT", zlibstored(raw));
    appendchunk(out, "IEND", {});
    return out;
}

bool writepng(const RgbImage& image, const std::string& path) {
    const std::vector<uint8_t> bytes = pngbytes(image);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
