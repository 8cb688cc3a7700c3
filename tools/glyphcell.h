#pragma once
// One character cell of ink coverage: 0 background, 255 full ink; rows from the top.
#include <cstddef>
#include <cstdint>
#include <vector>

struct GlyphCell {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Ink;

    GlyphCell() = default;
    GlyphCell(int width, int height)
        : Width(width), Height(height), Ink(static_cast<size_t>(width) * height, 0) {}

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
    uint8_t at(int x, int y) const { return inside(x, y) ? Ink[y * Width + x] : 0; }
    void set(int x, int y, uint8_t value) {
        if (inside(x, y)) {
            Ink[y * Width + x] = value;
        }
    }
    // Fills the half-open rectangle [x0, x1) x [y0, y1), clipped to the cell.
    void fill(int x0, int y0, int x1, int y1, uint8_t value) {
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                set(x, y, value);
            }
        }
    }
};
