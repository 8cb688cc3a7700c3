#pragma once
// A minimal PNG encoder (8-bit RGB, stored deflate blocks): enough to look at generated fonts
// without another library.
#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels; // Width x Height x {red, green, blue}, rows from the top

    RgbImage(int width, int height, uint8_t grey)
        : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height * 3, grey) {}
    void set(int x, int y, uint8_t red, uint8_t green, uint8_t blue);
};

std::vector<uint8_t> pngbytes(const RgbImage& image);

// Returns false when the file cannot be written.
bool writepng(const RgbImage& image, const std::string& path);
