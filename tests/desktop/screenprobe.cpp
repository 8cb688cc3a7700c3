// Checks what the desktop tests captured: a window dump of xwd (FILE.xwd, 32 bits per pixel) or
// a screenshot (PNG). The alpha channel does not count: what a screen shows is opaque.
//   screenprobe FILE chart   the whole chart is in the picture: an axis row, labels below it and
//                            the coloured curves above it
//   screenprobe FILE crisp   below the top quarter every aligned 2 x 2 block is one colour (a
//                            picture shown at twice its size without smoothing)
//   screenprobe FILE find PICTURE [WIDTH HEIGHT]   prints "x y", where the PNG PICTURE (or its
//                            top-left WIDTH x HEIGHT part) lies pixel for pixel; 1 when nowhere
#include "platform/platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using platform::Image;

uint32_t at(const Image& image, int64_t x, int64_t y) {
    return image.pixels[y * image.width + x] & 0xFFFFFF;
}

uint32_t bigendian(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 |
           uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

std::optional<Image> readdump(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    if (bytes.size() < 100) {
        return std::nullopt;
    }
    const uint32_t headersize = bigendian(bytes, 0), bitsperpixel = bigendian(bytes, 44);
    const uint32_t bytesperline = bigendian(bytes, 48), colours = bigendian(bytes, 76);
    const bool littleendian = bigendian(bytes, 28) == 0;
    Image dump{bigendian(bytes, 16), bigendian(bytes, 20), {}};
    const size_t start = headersize + size_t{colours} * 12;
    if (bitsperpixel != 32 || start + size_t{bytesperline} * dump.height > bytes.size()) {
        return std::nullopt;
    }
    for (int64_t y = 0; y < dump.height; ++y) {
        for (int64_t x = 0; x < dump.width; ++x) {
            const size_t p = start + y * bytesperline + 4 * x;
            dump.pixels.push_back(littleendian ? uint32_t{bytes[p + 2]} << 16 |
                                                     uint32_t{bytes[p + 1]} << 8 | bytes[p]
                                               : bigendian(bytes, p));
        }
    }
    return dump;
}

std::optional<Image> readpicture(const std::string& path) {
    return path.ends_with(".xwd") ? readdump(path) : platform::loadimagepng(path);
}

bool bright(uint32_t p) {
    const int r = p >> 16 & 255, g = p >> 8 & 255, b = p & 255;
    return r >= 96 && r == g && g == b;
}

bool coloured(uint32_t p) {
    const int r = p >> 16 & 255, g = p >> 8 & 255, b = p & 255;
    return (r > 2 * (g + b) + 40) || (g > 2 * (r + b) + 40) || (b > 2 * (r + g) + 40);
}

// How many pixels of the rows first ... last - 1 are such.
int64_t count(const Image& d, int64_t first, int64_t last, bool (*such)(uint32_t)) {
    int64_t found = 0;
    for (int64_t y = std::max<int64_t>(first, 0); y < std::min(last, d.height); ++y) {
        for (int64_t x = 0; x < d.width; ++x) {
            found += such(at(d, x, y));
        }
    }
    return found;
}

int chart(const Image& d) {
    int64_t axis = d.height - 1;
    while (axis >= 0 && count(d, axis, axis + 1, bright) * 10 < d.width * 8) {
        --axis;
    }
    if (axis < 0) {
        std::puts("screenprobe: no axis row");
        return 1;
    }
    const int64_t labels = count(d, axis + 2, d.height, bright),
                  curves = count(d, 0, axis, coloured);
    std::printf("screenprobe: axis at row %lld of %lld, %lld label and %lld curve pixels\n",
                static_cast<long long>(axis), static_cast<long long>(d.height),
                static_cast<long long>(labels), static_cast<long long>(curves));
    return labels >= 100 && curves >= d.width ? 0 : 1;
}

int crisp(const Image& d) {
    int64_t blocks = 0, mixed = 0;
    for (int64_t y = d.height / 4 / 2 * 2; y + 1 < d.height; y += 2) {
        for (int64_t x = 0; x + 1 < d.width; x += 2) {
            const uint32_t p = at(d, x, y);
            ++blocks;
            mixed += at(d, x + 1, y) != p || at(d, x, y + 1) != p || at(d, x + 1, y + 1) != p;
        }
    }
    std::printf("screenprobe: %lld of %lld blocks mixed\n", static_cast<long long>(mixed),
                static_cast<long long>(blocks));
    return blocks > 0 && mixed == 0 ? 0 : 1;
}

bool matchesat(const Image& screen, const Image& part, int64_t width, int64_t height, int64_t x,
               int64_t y) {
    for (int64_t row = 0; row < height; ++row) {
        for (int64_t column = 0; column < width; ++column) {
            if (at(screen, x + column, y + row) != at(part, column, row)) {
                return false;
            }
        }
    }
    return true;
}

int find(const Image& screen, const Image& part, int64_t width, int64_t height) {
    for (int64_t y = 0; y + height <= screen.height; ++y) {
        for (int64_t x = 0; x + width <= screen.width; ++x) {
            if (matchesat(screen, part, width, height, x, y)) {
                std::printf("%lld %lld\n", static_cast<long long>(x), static_cast<long long>(y));
                return 0;
            }
        }
    }
    std::fprintf(stderr, "screenprobe: the picture (%lld x %lld) is not on the screen\n",
                 static_cast<long long>(width), static_cast<long long>(height));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string check = argc >= 3 ? argv[2] : "";
    const std::optional<Image> picture = argc >= 3 ? readpicture(argv[1]) : std::nullopt;
    const std::optional<Image> part =
        check == "find" && (argc == 4 || argc == 6) ? readpicture(argv[3]) : std::nullopt;
    if (picture && part) {
        const auto side = [argc, argv](int64_t whole, int index) {
            return argc == 6 ? std::min<int64_t>(whole, std::atoll(argv[index])) : whole;
        };
        return find(*picture, *part, side(part->width, 4), side(part->height, 5));
    }
    if (picture && (check == "chart" || check == "crisp")) {
        return check == "chart" ? chart(*picture) : crisp(*picture);
    }
    std::fputs("usage: screenprobe FILE chart|crisp|find PICTURE [WIDTH HEIGHT]\n", stderr);
    return 2;
}
