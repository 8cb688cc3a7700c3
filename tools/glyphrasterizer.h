#pragma once
// Renders characters of a monospaced TrueType face into fixed character cells with FreeType: one
// size and one baseline for the whole font, chosen so that every character of the font's text
// range fits its cell, each glyph centred horizontally on its advance.
#include "tools/glyphcell.h"

#include <memory>
#include <span>
#include <string>

enum class Rendering {
    Grey,       // anti-aliased coverage
    Monochrome, // hinted bitmaps, ink 0 or 255
};

class GlyphRasterizer {
  public:
    // textcharacters: every character the font will hold as text; all of them must fit.
    GlyphRasterizer(const std::string& fontpath, int cellwidth, int cellheight, Rendering rendering,
                    std::span<const char32_t> textcharacters);
    ~GlyphRasterizer();
    GlyphRasterizer(const GlyphRasterizer&) = delete;
    GlyphRasterizer& operator=(const GlyphRasterizer&) = delete;

    bool has(char32_t character) const;
    // A text character on the common baseline.
    GlyphCell text(char32_t character) const;
    // A symbol whose ink is centred in the cell both ways (arrows, circle, star).
    GlyphCell symbol(char32_t character) const;

    int baseline() const;     // rows above the baseline
    double pixelsize() const; // the em size in pixels
    double stemwidth() const; // width of a letter stem in pixels

  private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};
