// Reads a window dump of xwd (32 bits per pixel) and checks what the desktop test asks:
//   xwdprobe FILE chart   the whole chart is in the picture: an axis row, labels below it and the
//                         coloured curves above it
//   xwdprobe FILE crisp   below the top quarter every aligned 2 x 2 block is one colour (a picture
//                         shown at twice its size without smoothing)
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Dump {
    int64_t width = 0, height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB
    uint32_t at(int64_t x, int64_t y) const { return pixels[y * width + x]; }
};

uint32_t bigendian(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 |
           uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

bool readdump(const char* path, Dump& dump) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    if (bytes.size() < 100) {
        return false;
    }
    const uint32_t headersize = bigendian(bytes, 0), bitsperpixel = bigendian(bytes, 44);
    const uint32_t bytesperline = bigendian(bytes, 48), colours = bigendian(bytes, 76);
    const bool littleendian = bigendian(bytes, 28) == 0;
    dump.width = bigendian(bytes, 16);
    dump.height = bigendian(bytes, 20);
    const size_t start = headersize + size_t{colours} * 12;
    if (bitsperpixel != 32 || start + size_t{bytesperline} * dump.height > bytes.size()) {
        return false;
    }
    for (int64_t y = 0; y < dump.height; ++y) {
        for (int64_t x = 0; x < dump.width; ++x) {
            const size_t p = start + y * bytesperline + 4 * x;
            dump.pixels.push_back(littleendian ? uint32_t{bytes[p + 2]} << 16 |
                                                     uint32_t{bytes[p + 1]} << 8 | bytes[p]
                                               : bigendian(bytes, p) & 0xFFFFFF);
        }
    }
    return true;
}

bool bright(uint32_t p) {
    const int r = p >> 16 & 255, g = p >> 8 & 255, b = p & 255;
    return r >= 96 && r == g && g == b;
}

bool coloured(uint32_t p) {
    const int r = p >> 16 & 255, g = p >> 8 & 255, b = p & 255;
    return (r > 2 * (g + b) + 40) || (g > 2 * (r + b) + 40) || (b > 2 * (r + g) + 40);
}

int chart(const Dump& d) {
    int64_t axis = -1;
    for (int64_t y = d.height - 1; y >= 0 && axis < 0; --y) {
        int64_t lit = 0;
        for (int64_t x = 0; x < d.width; ++x) {
            lit += bright(d.at(x, y));
        }
        axis = lit * 10 >= d.width * 8 ? y : -1;
    }
    if (axis < 0) {
        std::puts("xwdprobe: no axis row");
        return 1;
    }
    int64_t labels = 0, curves = 0;
    for (int64_t y = axis + 2; y < d.height; ++y) {
        for (int64_t x = 0; x < d.width; ++x) {
            labels += bright(d.at(x, y));
        }
    }
    for (int64_t y = 0; y < axis; ++y) {
        for (int64_t x = 0; x < d.width; ++x) {
            curves += coloured(d.at(x, y));
        }
    }
    std::printf("xwdprobe: axis at row %lld of %lld, %lld label and %lld curve pixels\n",
                static_cast<long long>(axis), static_cast<long long>(d.height),
                static_cast<long long>(labels), static_cast<long long>(curves));
    return labels >= 100 && curves >= d.width ? 0 : 1;
}

int crisp(const Dump& d) {
    int64_t blocks = 0, mixed = 0;
    for (int64_t y = d.height / 4 / 2 * 2; y + 1 < d.height; y += 2) {
        for (int64_t x = 0; x + 1 < d.width; x += 2) {
            const uint32_t p = d.at(x, y);
            ++blocks;
            mixed += d.at(x + 1, y) != p || d.at(x, y + 1) != p || d.at(x + 1, y + 1) != p;
        }
    }
    std::printf("xwdprobe: %lld of %lld blocks mixed\n", static_cast<long long>(mixed),
                static_cast<long long>(blocks));
    return blocks > 0 && mixed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    Dump dump;
    if (argc != 3 || !readdump(argv[1], dump)) {
        std::puts("usage: xwdprobe FILE chart|crisp (a 32-bit xwd dump)");
        return 2;
    }
    const std::string check = argv[2];
    return check == "chart" ? chart(dump) : check == "crisp" ? crisp(dump) : 2;
}
