#include "tools/glyphrasterizer.h"

#include <algorithm>
#include <ft2build.h>
#include <stdexcept>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace {

// A rendered glyph: Left columns right of the pen, Top rows above the baseline.
struct Bitmap {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Rows = 0;
    std::vector<uint8_t> Ink;
};

struct Ink {
    int Left, Top, Right, Bottom; // half-open; empty when Left >= Right
};

Ink inkbounds(const GlyphCell& cell) {
    Ink ink{cell.Width, cell.Height, 0, 0};
    for (int y = 0; y < cell.Height; ++y) {
        for (int x = 0; x < cell.Width; ++x) {
            if (cell.at(x, y) != 0) {
                ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                       std::max(ink.Bottom, y + 1)};
            }
        }
    }
    return ink;
}

// Moves [low, high) into [0, limit) when it fits there; a wider range stays centred.
int shiftinto(int low, int high, int limit) {
    if (high - low > limit) {
        return (limit - (high - low)) / 2 - low;
    }
    if (low < 0) {
        return -low;
    }
    if (high > limit) {
        return limit - high;
    }
    return 0;
}

FT_Pos roundtopixel(FT_Pos value) {
    return (value + 32) & ~FT_Pos{63};
}

} // namespace

struct GlyphRasterizer::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    int width = 0;
    int height = 0;
    Rendering rendering = Rendering::Grey;
    FT_F26Dot6 size = 0; // em size, 1/64 pixel
    FT_Pos penx = 0;     // pen position in the cell, 1/64 pixel
    int baselinerow = 0;

    bool monochrome() const { return rendering == Rendering::Monochrome; }

    void setsize(FT_F26Dot6 emsize) {
        size = emsize;
        FT_Error error = monochrome() ? FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size / 64))
                                      : FT_Set_Char_Size(face, size, size, 72, 72);
        if (error) {
            throw std::runtime_error("cannot set the glyph size");
        }
    }

    // Loads the hinted outline of a character; false when the face has no glyph for it.
    bool load(char32_t character) const {
        FT_UInt index = FT_Get_Char_Index(face, character);
        if (index == 0) {
            return false;
        }
        FT_Int32 flags = monochrome() ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT;
        return FT_Load_Glyph(face, index, flags) == 0 &&
               face->glyph->format == FT_GLYPH_FORMAT_OUTLINE;
    }

    // Renders the loaded outline moved by (dx, dy), 1/64 pixel, y upward.
    Bitmap render(FT_Pos dx, FT_Pos dy) const {
        FT_GlyphSlot slot = face->glyph;
        FT_Outline_Translate(&slot->outline, dx, dy);
        if (FT_Render_Glyph(slot, monochrome() ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL)) {
            return {};
        }
        const FT_Bitmap& source = slot->bitmap;
        Bitmap bitmap{slot->bitmap_left,
                      slot->bitmap_top,
                      static_cast<int>(source.width),
                      static_cast<int>(source.rows),
                      {}};
        bitmap.Ink.resize(static_cast<size_t>(bitmap.Width) * bitmap.Rows);
        for (int y = 0; y < bitmap.Rows; ++y) {
            const unsigned char* row = source.buffer + static_cast<ptrdiff_t>(y) * source.pitch;
            for (int x = 0; x < bitmap.Width; ++x) {
                bool mono = source.pixel_mode == FT_PIXEL_MODE_MONO;
                uint8_t value = mono ? ((row[x >> 3] >> (7 - (x & 7))) & 1u ? 255 : 0) : row[x];
                bitmap.Ink[y * bitmap.Width + x] = value;
            }
        }
        return bitmap;
    }

    Bitmap rendertext(char32_t character) const {
        return load(character) ? render(penx, 0) : Bitmap{};
    }

    GlyphCell place(const Bitmap& bitmap) const {
        GlyphCell cell(width, height);
        for (int y = 0; y < bitmap.Rows; ++y) {
            for (int x = 0; x < bitmap.Width; ++x) {
                cell.set(bitmap.Left + x, baselinerow - bitmap.Top + y,
                         bitmap.Ink[y * bitmap.Width + x]);
            }
        }
        return cell;
    }

    // Where place() would clip, moves the bitmap so that its ink stays in the cell.
    Bitmap keepinside(Bitmap bitmap) const {
        GlyphCell unclipped(bitmap.Width, bitmap.Rows);
        unclipped.Ink = bitmap.Ink;
        Ink ink = inkbounds(unclipped);
        if (ink.Left >= ink.Right) {
            return bitmap;
        }
        int top = baselinerow - bitmap.Top;
        bitmap.Left += shiftinto(bitmap.Left + ink.Left, bitmap.Left + ink.Right, width);
        bitmap.Top -= shiftinto(top + ink.Top, top + ink.Bottom, height);
        return bitmap;
    }

    FT_Pos advance() const {
        if (!load(U'M')) {
            throw std::runtime_error("the face has no letter M");
        }
        // Hinted monochrome advances are whole pixels; grey ones keep the exact scaled advance.
        return monochrome() ? face->glyph->advance.x : face->glyph->linearHoriAdvance >> 10;
    }

    // Rows above and below the baseline that the given characters need at the current size.
    std::pair<int, int> extent(std::span<const char32_t> characters) const {
        int above = 0;
        int below = 0;
        for (char32_t character : characters) {
            Bitmap bitmap = rendertext(character);
            if (bitmap.Rows > 0) {
                above = std::max(above, bitmap.Top);
                below = std::max(below, bitmap.Rows - bitmap.Top);
            }
        }
        return {above, below};
    }

    void choosesize(std::span<const char32_t> characters) {
        const FT_Pos unitadvance = face->max_advance_width;
        FT_F26Dot6 emsize = FT_F26Dot6{width} * 64 * face->units_per_EM / unitadvance;
        const FT_F26Dot6 step = monochrome() ? 64 : 4;
        if (monochrome()) {
            emsize &= ~FT_F26Dot6{63};
        }
        for (; emsize > step; emsize -= step) {
            setsize(emsize);
            if (advance() > FT_Pos{width} * 64) {
                continue;
            }
            penx = (FT_Pos{width} * 64 - advance()) / 2;
            if (monochrome()) {
                penx = roundtopixel(penx);
            }
            auto [above, below] = extent(characters);
            if (above + below <= height) {
                baselinerow = above + (height - above - below) / 2;
                return;
            }
        }
        throw std::runtime_error("no glyph size fits the cell");
    }
};

GlyphRasterizer::GlyphRasterizer(const std::string& fontpath, int cellwidth, int cellheight,
                                 Rendering rendering, std::span<const char32_t> textcharacters)
    : impl(std::make_unique<Impl>()) {
    impl->width = cellwidth;
    impl->height = cellheight;
    impl->rendering = rendering;
    if (FT_Init_FreeType(&impl->library)) {
        throw std::runtime_error("cannot start FreeType");
    }
    if (FT_New_Face(impl->library, fontpath.c_str(), 0, &impl->face)) {
        FT_Done_FreeType(impl->library);
        throw std::runtime_error("cannot open the face " + fontpath);
    }
    try {
        impl->choosesize(textcharacters);
    } catch (...) {
        FT_Done_Face(impl->face);
        FT_Done_FreeType(impl->library);
        throw;
    }
}

GlyphRasterizer::~GlyphRasterizer() {
    FT_Done_Face(impl->face);
    FT_Done_FreeType(impl->library);
}

bool GlyphRasterizer::has(char32_t character) const {
    return FT_Get_Char_Index(impl->face, character) != 0;
}

GlyphCell GlyphRasterizer::text(char32_t character) const {
    return impl->place(impl->keepinside(impl->rendertext(character)));
}

GlyphCell GlyphRasterizer::symbol(char32_t character) const {
    if (!impl->load(character)) {
        return GlyphCell(impl->width, impl->height);
    }
    FT_BBox box;
    FT_Outline_Get_CBox(&impl->face->glyph->outline, &box);
    // Cell centre in glyph coordinates: x from the cell's left edge, y upward from the baseline.
    FT_Pos centrex = FT_Pos{impl->width} * 32;
    FT_Pos centrey = FT_Pos{impl->baselinerow} * 64 - FT_Pos{impl->height} * 32;
    FT_Pos dx = centrex - (box.xMin + box.xMax) / 2;
    FT_Pos dy = centrey - (box.yMin + box.yMax) / 2;
    if (impl->monochrome()) {
        dx = roundtopixel(dx);
        dy = roundtopixel(dy);
    }
    return impl->place(impl->keepinside(impl->render(dx, dy)));
}

int GlyphRasterizer::baseline() const {
    return impl->baselinerow;
}

double GlyphRasterizer::pixelsize() const {
    return static_cast<double>(impl->size) / 64.0;
}

double GlyphRasterizer::stemwidth() const {
    // The two stems of an H, measured below its crossbar.
    GlyphCell letter = text(U'H');
    int ink = 0;
    for (int x = 0; x < letter.Width; ++x) {
        ink += letter.at(x, impl->baselinerow - 3);
    }
    return ink / 255.0 / 2.0;
}
