#include "display/render.h"

#include "base/clock.h"
#include "base/lasting.h"
#include "base/log.h"
#include "core/bridge.h"
#include "core/lookup.h"
#include "display/surface.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <array>

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

// Gives image the picture's size.
void fitimage(const Surface& s, platform::Image& image) {
    image.width = s.width;
    image.height = s.height;
    image.pixels.resize(static_cast<size_t>(s.width * s.height));
}

// When each view's paint began (main thread only): a paint's conversions count from there.
std::array<double, t_GraphicWindows>& paintstarts() {
    return base::lasting<std::array<double, t_GraphicWindows>>();
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

// Converts rows first ... first + count − 1 of window n's picture into out. Rows that nothing wrote
// since the block was cleared read 0: they get a blank pixel's colour without being read, so that
// their pages stay unbacked.
void convertrows(uint8_t n, const Surface& s, int64_t first, int64_t count, uint32_t* out) {
    const Rows written = writtenrows(n);
    const int64_t end = first + count;
    const int64_t from = std::clamp(written.first, first, end);
    const int64_t to = std::clamp(written.first + std::max<int64_t>(written.count, 0), from, end);
    const uint8_t zeros[4] = {};
    uint32_t blank = 0;
    s.routines->convert(zeros, &blank, 1);
    std::fill(out, out + (from - first) * s.width, blank);
    if (to > from) {
        s.convert(from, to - from, out + (from - first) * s.width);
    }
    std::fill(out + (to - first) * s.width, out + count * s.width, blank);
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
        convertrows(n, *p, 0, p->height, image.pixels.data());
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

bool viewpicture(int n, platform::PicturePaint& paint) {
    paint = {};
    t_Window* shown = n < 0 ? nullptr : shownwindow("t_WindowImage", static_cast<uint8_t>(n));
    if (shown == nullptr) {
        return false;
    }
    const double t0 = base::absolutetime();
    VideoLock guard(videolock());
    std::optional<Surface> p = pictureof(*shown);
    if (!p) {
        return false;
    }
    Rows rows = withinpicture(takerows(static_cast<uint8_t>(n)), p->height);
    paint.width = p->width;
    paint.height = p->height;
    if (!rows.empty()) {
        paint.changed = platform::PixelRect{0, rows.first, p->width, rows.count};
    }
    paintstarts()[n] = t0;
    return true;
}

bool viewrows(int n, int64_t first, int64_t count, int64_t width, uint32_t* out) {
    if (!memoryready() || n < 0 || n >= t_GraphicWindows) {
        return false;
    }
    t_Window& w = windowrecord(static_cast<uint8_t>(n));
    {
        VideoLock guard(videolock());
        const Surface s = surfaceof(w);
        if (!w.Initialized || !w.Visible || s.routines == nullptr || s.pixels == nullptr ||
            s.width != width || first < 0 || count < 0 || count > s.height - first) {
            return false;
        }
        convertrows(static_cast<uint8_t>(n), s, first, count, out);
    }
    recordduration(w, paintstarts()[n]);
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
