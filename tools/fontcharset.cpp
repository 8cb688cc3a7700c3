#include "tools/fontcharset.h"

#include <cstddef>

namespace {

constexpr uint8_t FirstSpecial = 127;

const GlyphSource Specials[] = {
    {GlyphKind::Drawn, U'\u2592'},  // 127 ▒ medium shade
    {GlyphKind::Symbol, U'\u2605'}, // 128 ★
    {GlyphKind::Drawn, U'\u2588'},  // 129 █ full block
    {GlyphKind::Symbol, U'\u2190'}, // 130 ←
    {GlyphKind::Drawn, U'\u2550'},  // 131 ═
    {GlyphKind::Symbol, U'\u2192'}, // 132 →
    {GlyphKind::Symbol, U'\u25CB'}, // 133 ○
    {GlyphKind::Drawn, U'\u250C'},  // 134 ┌
    {GlyphKind::Drawn, U'\u2510'},  // 135 ┐
    {GlyphKind::Drawn, U'\u2514'},  // 136 └
    {GlyphKind::Drawn, U'\u2518'},  // 137 ┘
    {GlyphKind::Drawn, U'\u2502'},  // 138 │
    {GlyphKind::Drawn, U'\u2551'},  // 139 ║
    {GlyphKind::Drawn, U'\u2500'},  // 140 ─
    {GlyphKind::Drawn, U'\u2501'},  // 141 ━
    {GlyphKind::Drawn, U'\u251C'},  // 142 ├
    {GlyphKind::Drawn, U'\u2524'},  // 143 ┤
    {GlyphKind::Drawn, U'\u252C'},  // 144 ┬
    {GlyphKind::Drawn, U'\u2534'},  // 145 ┴
    {GlyphKind::Drawn, U'\u253C'},  // 146 ┼
    {GlyphKind::Drawn, U'\u2554'},  // 147 ╔
    {GlyphKind::Drawn, U'\u2557'},  // 148 ╗
    {GlyphKind::Drawn, U'\u255A'},  // 149 ╚
    {GlyphKind::Drawn, U'\u255D'},  // 150 ╝
    {GlyphKind::Drawn, U'\u2560'},  // 151 ╠
    {GlyphKind::Drawn, U'\u2563'},  // 152 ╣
    {GlyphKind::Drawn, U'\u2566'},  // 153 ╦
    {GlyphKind::Drawn, U'\u2594'},  // 154 ▔ line along the top edge
    {GlyphKind::Drawn, U'\u2581'},  // 155 ▁ line along the bottom edge
    {GlyphKind::Drawn, U'\u2500'},  // 156 ─ ruled line
    {GlyphKind::Drawn, U'\u2503'},  // 157 ┃
    {GlyphKind::Drawn, U'\u2569'},  // 158 ╩
    {GlyphKind::Symbol, U'\u2261'}, // 159 ≡
};

constexpr size_t SpecialCount = sizeof Specials / sizeof Specials[0];

} // namespace

GlyphSource glyphsource(uint8_t code) {
    if (code < 32) {
        return {};
    }
    if (code >= FirstSpecial && static_cast<size_t>(code - FirstSpecial) < SpecialCount) {
        return Specials[code - FirstSpecial];
    }
    return {GlyphKind::Text, char32_t{code}};
}

std::vector<char32_t> textcharacters() {
    std::vector<char32_t> characters;
    for (int code = 0; code < 256; ++code) {
        GlyphSource source = glyphsource(static_cast<uint8_t>(code));
        if (source.Kind == GlyphKind::Text) {
            characters.push_back(source.Character);
        }
    }
    return characters;
}
