#pragma once
// The fixed 16-colour palette (t_PaletteColor; t_Color and t_ColorBorder use it).
#include <array>
#include <cstdint>

namespace display {

struct Palette {
    std::array<uint8_t, 16> Red;
    std::array<uint8_t, 16> Green;
    std::array<uint8_t, 16> Blue;
};

const Palette& palette();

} // namespace display
