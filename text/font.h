#pragma once
// Bitmap fonts: the t_Font record and the font resource files.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Format codes of a font resource file.
enum : int64_t {
    FontMonochrome = 0,
    FontGrey = 2,
    FontCompressedMonochrome = 100,
    FontCompressedGrey = 102,
};

// The identifier of every valid font resource file.
inline constexpr std::array<uint8_t, 4> FontIdentifier = {'k', 'q', 'f', 'n'};

struct t_Font {
    int64_t HeaderSize = 16;
    // Not an initializer list: GCC 12 misreports its backing array as uninitialized at -O3.
    std::vector<uint8_t> Identifier =
        std::vector<uint8_t>(FontIdentifier.begin(), FontIdentifier.end());
    int64_t Format = 0;
    int64_t Size = 0;
    uint8_t Start = 0;
    uint8_t End = 0;
    int64_t Width = 0;
    int64_t Height = 0;
    int64_t Reserved = 0;
    std::vector<uint8_t> Data;

    bool operator==(const t_Font&) const = default;
};
