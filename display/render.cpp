#include "display/render.h"

#include "base/clock.h"
#include "base/log.h"
#include "core/bridge.h"
#include "core/lookup.h"
#include "display/surface.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>

namespace display {

namespace {

// Logs the illegal depth once per pixel position, as a window of that depth would ask for.
void reportillegaldepth(int64_t pixels) {
    for (int64_t p = 0; p < pixels; ++p) {
        base::logline("t_WindowImage: Illegal bit depth.");
    }
}

// The surface of w when its block can be converted; logs why not otherwise. Read under the video
// lock, so that it matches the block a re-initialisation or a block move left behind.
std::optional<Surface> pictureof(const t_Window& w) {
    Surface s = surfaceof(w);
    if (s.routines == nullptr) {
        reportillegaldepth(s.width * s.height);
        return std::nullopt;
    }
    if (s.pixels == nullptr) {
        base::logline("t_WindowImage: Data could not be collected, image could not be created.");
        return std::nullopt;
    }
    return s;
}

// Gives image the picture's size; false when it had it already.
bool fitimage(const Surface& s, platform::Image& image) {
    if (image.width == s.width && image.height == s.height) {
        return false;
    }
    image.width = s.width;
    image.height = s.height;
    image.pixels.resize(static_cast<size_t>(s.width * s.height));
    return true;
}

// Converts rows first ... first + count − 1 (the caller holds the video lock).
void convertrows(const Surface& s, platform::Image& image, int64_t first, int64_t count) {
    s.convert(first, count, image.pixels.data() + first * s.width);
}

void recordduration(t_Window& w, double t0) {
    double t1 = base::absolutetime();
    w.UpdateDuration = static_cast<int64_t>(t1 * 1000000.0) - static_cast<int64_t>(t0 * 1000000.0);
    w.UpdateFinished = base::absolutemilliseconds();
}

Rows withinpicture(Rows rows, int64_t height) {
    int64_t first = std::clamp<int64_t>(rows.first, 0, height);
    int64_t end = rows.count > height - first ? height : first + rows.count;
    return Rows{first, rows.empty() ? 0 : end - first};
}

} // namespace

bool windowimageinto(uint8_t n, platform::Image& image) {
    t_Window* shown = shownwindow("t_WindowImage", n);
    if (shown == nullptr) {
        return false;
    }
    t_Window& w = *shown;
    double t0 = base::absolutetime();
    {
        VideoLock guard(videolock());
        std::optional<Surface> p = pictureof(w);
        if (!p) {
            return false;
        }
        fitimage(*p, image);
        convertrows(*p, image, 0, p->height);
    }
    recordduration(w, t0);
    return true;
}

platform::PixelRect pendingpart(uint8_t n) {
    if (!memoryready() || n >= t_GraphicWindows) {
        return {};
    }
    const t_Window& w = windowrecord(n);
    Rows rows = withinpicture(pendingrows(n), w.Height);
    return rows.empty() ? platform::PixelRect{}
                        : platform::PixelRect{0, rows.first, w.Width, rows.count};
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

bool viewpaint(int n, platform::Image& frame, platform::PixelRect& changed) {
    changed = {};
    t_Window* shown = n < 0 ? nullptr : shownwindow("t_WindowImage", static_cast<uint8_t>(n));
    if (shown == nullptr) {
        return false;
    }
    t_Window& w = *shown;
    double t0 = base::absolutetime();
    {
        VideoLock guard(videolock());
        std::optional<Surface> p = pictureof(w);
        if (!p) {
            return false;
        }
        Rows rows = takerows(static_cast<uint8_t>(n));
        if (fitimage(*p, frame)) {
            rows = allrows;
        }
        rows = withinpicture(rows, p->height);
        if (rows.empty()) {
            return true; // the frame shows the picture already
        }
        convertrows(*p, frame, rows.first, rows.count);
        changed = platform::PixelRect{0, rows.first, p->width, rows.count};
    }
    recordduration(w, t0);
    return true;
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
    if (n >= t_GraphicWindows || core::getview(n) == nullptr) {
        return std::nullopt;
    }
    return t_WindowImage(n);
}
