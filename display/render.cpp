#include "display/render.h"

#include "core/bridge.h"
#include "core/clock.h"
#include "core/log.h"
#include "core/lookup.h"
#include "core/process.h"
#include "core/threads.h"
#include "display/pixelconversion.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"

#include <string>

namespace display {

namespace {

int64_t blockbytes(int64_t depth, int64_t pixels) {
    return pixels * depth / 8;
}

// Logs the illegal depth once per pixel position, as a window of that depth would ask for.
void reportillegaldepth(int64_t pixels) {
    for (int64_t p = 0; p < pixels; ++p) {
        core::logline("t_WindowImage: Illegal bit depth.");
    }
}

bool convertblock(const t_Window& w, platform::Image& image) {
    int64_t width = w.Width, height = w.Height, depth = w.BitDepth, start = w.MemoryStart;
    int64_t pixels = width * height;
    bool knowndepth =
        depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
    if (!knowndepth) {
        reportillegaldepth(pixels);
        return false;
    }
    if (width <= 0 || height <= 0 || start < 0 ||
        start + blockbytes(depth, pixels) > videomemorylength()) {
        core::logline("t_WindowImage: Data could not be collected, image could not be created.");
        return false;
    }
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(pixels));
    VideoLock guard(videolock());
    return convertpixels(depth, videomemory() + start, image.pixels.data(), pixels);
}

} // namespace

bool windowimageinto(uint8_t n, platform::Image& image) {
    if (!memoryready() || n >= graphicwindowcount) {
        return false;
    }
    t_Window& w = windowrecord(n);
    if (!(w.Initialized && w.Visible)) {
        if (!w.Initialized) {
            core::logline("t_WindowImage: Graphic window #" + std::to_string(n) +
                          " not initialized.");
        }
        return false;
    }
    double t0 = core::absolutetime();
    if (!convertblock(w, image)) {
        return false;
    }
    double t1 = core::absolutetime();
    w.UpdateDuration = static_cast<int64_t>(t1 * 1000000.0) - static_cast<int64_t>(t0 * 1000000.0);
    w.UpdateFinished = core::absolutemilliseconds();
    return true;
}

void viewpaintstarted(int n) {
    if (n == 0 && memoryready()) {
        windowrecord(0).VerticalBlank = false;
    }
}

void viewpaintfinished(int n) {
    if (n == 0 && memoryready()) {
        windowrecord(0).VerticalBlank = true;
    }
}

bool viewpaint(int n, platform::Image& image) {
    return memoryready() && windowimageinto(static_cast<uint8_t>(n), image);
}

platform::View existingview(const char* command, uint8_t n) {
    platform::View view = core::getview(n);
    if (view == nullptr) {
        core::logline(std::string(command) + ": Window #" + std::to_string(n) +
                      " view is nil, resource undefined.");
    }
    return view;
}

} // namespace display

std::optional<platform::Image> t_WindowImage(uint8_t n) {
    platform::Image image;
    if (!display::windowimageinto(n, image)) {
        return std::nullopt;
    }
    return image;
}

std::optional<platform::Image> t_WindowNSImage(uint8_t n) {
    if (n >= display::graphicwindowcount || core::getview(n) == nullptr) {
        return std::nullopt;
    }
    return t_WindowImage(n);
}

void t_WindowUpdate(uint8_t n, bool deferred) {
    if (!display::memoryready()) {
        return;
    }
    if (n >= display::graphicwindowcount) {
        core::logline("t_WindowUpdate: Window is not a graphic window.");
        return;
    }
    platform::View view = display::existingview("t_WindowUpdate", n);
    if (view == nullptr) {
        return;
    }
    core::onmain([&] {
        if (deferred) {
            platform::viewsetneedsdisplay(view);
        } else {
            platform::viewdisplay(view);
        }
    });
}
