#include "display/palette.h"

#include "quorvinthal/toolkit.h"

namespace display {

namespace {

const Palette colours{
    {0, 255, 0, 255, 0, 84, 0, 0, 128, 255, 168, 255, 0, 255, 0, 255},
    {0, 0, 0, 0, 128, 84, 0, 128, 64, 128, 168, 128, 255, 255, 255, 255},
    {0, 0, 128, 255, 0, 84, 255, 255, 0, 0, 168, 128, 0, 0, 255, 255},
};

} // namespace

const Palette& palette() {
    return colours;
}

} // namespace display

t_RGBColor t_PaletteColor(int64_t index) {
    if (index < t_Black || index > t_White) {
        return t_RGBColor{255, 0, 0, 0};
    }
    return t_RGBColor{255, display::colours.Red[index], display::colours.Green[index],
                      display::colours.Blue[index]};
}
