// makeicon ICONS SCRATCH: draws the application icon with the toolkit's own graphics, headless, at
// every size of the hicolor theme and writes ICONS/<size>x<size>/apps/quorvinthal.png. The run's
// snapshot (the last drawing, the log) goes to SCRATCH.
//
// The icon is the display of an old home computer: a light casing around a dark screen that shows
// the three cycles of the chart (physical red, emotional green, mental blue) over one month, with
// the dotted marker of the forecast day. Each size is drawn on its own, several times larger, and
// averaged down, so that edges are smooth and the small sizes keep their lines.
#include "platform/platform.h"

#include <quorvinthal/toolkit.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr uint8_t window = 0;
constexpr int64_t canvas = 800; // the largest picture a window takes is 1280 x 800
constexpr int sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Outside the casing: becomes transparent.
constexpr t_RGBColor transparent{255, 255, 0, 255};
constexpr t_RGBColor casing{255, 214, 206, 186};
constexpr t_RGBColor casingedge{255, 150, 142, 126};
constexpr t_RGBColor screen{255, 16, 20, 30};
constexpr t_RGBColor axis{255, 84, 92, 110};
constexpr t_RGBColor marker{255, 235, 235, 235};
constexpr t_RGBColor physical{255, 240, 64, 56};
constexpr t_RGBColor emotional{255, 64, 206, 84};
constexpr t_RGBColor mental{255, 80, 140, 255};

std::string iconfolder;

// Inside the square [x0, x1) x [y0, y1) with corners rounded by radius r (pixel centres).
bool inside(double x, double y, double x0, double y0, double x1, double y1, double r) {
    const double cx = std::clamp(x, x0 + r, x1 - r);
    const double cy = std::clamp(y, y0 + r, y1 - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r && x >= x0 && x < x1 && y >= y0 &&
           y < y1;
}

void roundedsquare(double x0, double y0, double x1, double y1, double r, t_RGBColor color) {
    for (auto y = static_cast<int64_t>(y0); y < static_cast<int64_t>(std::ceil(y1)); ++y) {
        for (auto x = static_cast<int64_t>(x0); x < static_cast<int64_t>(std::ceil(x1)); ++x) {
            if (inside(static_cast<double>(x) + 0.5, static_cast<double>(y) + 0.5, x0, y0, x1, y1,
                       r)) {
                g_Plot(window, x, y, color);
            }
        }
    }
}

void disc(double cx, double cy, double r, t_RGBColor color) {
    for (auto y = static_cast<int64_t>(cy - r); y <= static_cast<int64_t>(cy + r); ++y) {
        for (auto x = static_cast<int64_t>(cx - r); x <= static_cast<int64_t>(cx + r); ++x) {
            const double dx = static_cast<double>(x) + 0.5 - cx;
            const double dy = static_cast<double>(y) + 0.5 - cy;
            if (dx * dx + dy * dy <= r * r) {
                g_Plot(window, x, y, color);
            }
        }
    }
}

// The picture at side s pixels (s already scaled up): casing, screen, axis, marker, cycles.
void drawicon(double s, int finalsize) {
    roundedsquare(0, 0, s, s, 0, transparent);
    const double margin = s / 32;
    roundedsquare(margin, margin, s - margin, s - margin, s * 0.19, casingedge);
    const double edge = std::max(s / 64, s / finalsize);
    roundedsquare(margin + edge, margin + edge, s - margin - edge, s - margin - edge,
                  s * 0.19 - edge, casing);
    const double inset = s * 0.14;
    const double left = inset, right = s - inset, top = inset, bottom = s - inset;
    roundedsquare(left, top, right, bottom, s * 0.07, screen);

    const double pixel = s / finalsize; // one pixel of the final icon
    const double thick = std::max(pixel, s / 48);
    const double middle = (top + bottom) / 2;
    const double padding = std::max(pixel * 1.5, s * 0.05);
    for (double x = left + padding; x < right - padding; x += 1) {
        for (double y = middle - thick / 4; y < middle + thick / 4; y += 1) {
            g_Plot(window, static_cast<int64_t>(x), static_cast<int64_t>(y), axis);
        }
    }
    if (finalsize >= 32) {
        const double x = left + (right - left) * 0.68;
        for (double y = top + padding; y < bottom - padding; y += thick * 2.5) {
            disc(x, y, thick * 0.45, marker);
        }
    }
    // One month of the three cycles: 23, 28 and 33 days, each at its own phase.
    struct Cycle {
        double days, phase;
        t_RGBColor color;
    };
    const Cycle cycles[] = {{33, 4.2, mental}, {28, 0.9, emotional}, {23, 2.6, physical}};
    const double amplitude = (bottom - top) / 2 - padding - thick / 2;
    for (const Cycle& cycle : cycles) {
        for (double x = left + padding; x <= right - padding; x += 0.5) {
            const double day = (x - left - padding) / (right - left - 2 * padding) * 31;
            const double y = middle - amplitude * std::sin(2 * std::numbers::pi * day / cycle.days +
                                                           cycle.phase);
            disc(x, y, thick / 2, cycle.color);
        }
    }
}

// Averages each factor x factor block of the window into one pixel; the transparent colour counts
// as no coverage.
platform::Image averagedown(int size, int factor) {
    platform::Image image;
    image.width = size;
    image.height = size;
    image.pixels.resize(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int covered = 0, red = 0, green = 0, blue = 0;
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    const t_RGBColor c = g_Scrn(window, x * factor + dx, y * factor + dy);
                    if (c.Red == transparent.Red && c.Green == transparent.Green &&
                        c.Blue == transparent.Blue) {
                        continue;
                    }
                    ++covered;
                    red += c.Red;
                    green += c.Green;
                    blue += c.Blue;
                }
            }
            uint32_t pixel = 0;
            if (covered > 0) {
                const auto mean = [&](int sum) { return static_cast<uint32_t>(sum / covered); };
                const auto alpha = static_cast<uint32_t>(covered * 255 / (factor * factor));
                pixel = alpha << 24 | mean(red) << 16 | mean(green) << 8 | mean(blue);
            }
            image.pixels[static_cast<size_t>(y) * size + x] = pixel;
        }
    }
    return image;
}

void program() {
    t_InitWindow(window, 24, false, canvas, canvas, 0, 0, t_Font{}, false);
    for (int size : sizes) {
        const int factor = std::min(4, static_cast<int>(canvas) / size);
        drawicon(static_cast<double>(size * factor), size);
        const std::filesystem::path folder = std::filesystem::path(iconfolder) /
                                             (std::to_string(size) + "x" + std::to_string(size)) /
                                             "apps";
        std::filesystem::create_directories(folder);
        const std::string path = (folder / "quorvinthal.png").string();
        if (!platform::saveimagepng(averagedown(size, factor), path)) {
            std::fprintf(stderr, "makeicon: cannot write %s\n", path.c_str());
            std::_Exit(1);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: makeicon ICONS SCRATCH\n");
        return 2;
    }
    iconfolder = argv[1];
    std::string out = "--out";
    std::vector<char*> arguments = {argv[0], out.data(), argv[2]};
    return t_RunApplication(static_cast<int>(arguments.size()), arguments.data(), program);
}
