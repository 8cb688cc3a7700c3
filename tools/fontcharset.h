#pragma once
// What each of the 256 character codes of the application's fonts shows.
//
// 32 … 126 are ASCII and 160 … 255 ISO 8859-1, rendered from the typeface. 127 … 159 are the
// box-drawing and symbol set; the screen copy turns each of them into the ASCII character that
// the shape resembles, and the shapes follow that:
//
//   127 ▒  128 ★  129 █  130 ←  131 ═  132 →  133 ○
//   134 ┌  135 ┐  136 └  137 ┘  138 │  139 ║  140 ─  141 ━
//   142 ├  143 ┤  144 ┬  145 ┴  146 ┼  147 ╔  148 ╗  149 ╚  150 ╝  151 ╠  152 ╣  153 ╦
//   154 ▔  155 ▁  156 ─ (the ruled line: edge to edge, so a row of them is unbroken)
//   157 ┃  158 ╩  159 ≡
//
// 0 … 31 are blank.
#include <cstdint>
#include <vector>

enum class GlyphKind {
    Blank,
    Text,   // from the typeface, on the font's baseline
    Symbol, // from the typeface, centred in the cell
    Drawn,  // drawn from lines and blocks so that neighbours join
};

struct GlyphSource {
    GlyphKind Kind = GlyphKind::Blank;
    char32_t Character = 0;
};

GlyphSource glyphsource(uint8_t code);

// The characters of all codes of kind Text.
std::vector<char32_t> textcharacters();
