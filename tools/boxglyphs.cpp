#include "tools/boxglyphs.h"

#include <algorithm>
#include <cmath>

namespace {

enum class Stroke { None, Light, Heavy, Double };

struct Arms {
    char32_t Character;
    Stroke Up, Down, Left, Right;
};

constexpr Stroke N = Stroke::None, L = Stroke::Light, H = Stroke::Heavy, D = Stroke::Double;

const Arms BoxTable[] = {
    {U'\u2500', N, N, L, L}, {U'\u2501', N, N, H, H}, {U'\u2502', L, L, N, N},
    {U'\u2503', H, H, N, N}, {U'\u250C', N, L, N, L}, {U'\u2510', N, L, L, N},
    {U'\u2514', L, N, N, L}, {U'\u2518', L, N, L, N}, {U'\u251C', L, L, N, L},
    {U'\u2524', L, L, L, N}, {U'\u252C', N, L, L, L}, {U'\u2534', L, N, L, L},
    {U'\u253C', L, L, L, L}, {U'\u2550', N, N, D, D}, {U'\u2551', D, D, N, N},
    {U'\u2554', N, D, N, D}, {U'\u2557', N, D, D, N}, {U'\u255A', D, N, N, D},
    {U'\u255D', D, N, D, N}, {U'\u2560', D, D, N, D}, {U'\u2563', D, D, D, N},
    {U'\u2566', N, D, D, D}, {U'\u2569', D, N, D, D}, {U'\u256C', D, D, D, D},
};

const Arms* findarms(char32_t character) {
    for (const Arms& arms : BoxTable) {
        if (arms.Character == character) {
            return &arms;
        }
    }
    return nullptr;
}

// Paints the arms of one kind of stroke as bands of the given thickness, each from the edge up
// to and over the centre, so that two arms meet in a filled square corner.
void paintarms(GlyphCell& cell, const Arms& arms, Stroke kind, int thickness, uint8_t value) {
    const int cx = cell.Width / 2;
    const int cy = cell.Height / 2;
    const int low = thickness / 2;
    const int high = thickness - low;
    if (arms.Up == kind) {
        cell.fill(cx - low, 0, cx + high, cy + high, value);
    }
    if (arms.Down == kind) {
        cell.fill(cx - low, cy - low, cx + high, cell.Height, value);
    }
    if (arms.Left == kind) {
        cell.fill(0, cy - low, cx + high, cy + high, value);
    }
    if (arms.Right == kind) {
        cell.fill(cx - low, cy - low, cell.Width, cy + high, value);
    }
}

GlyphCell drawbox(const Arms& arms, GlyphCell cell, const LineStyle& style) {
    paintarms(cell, arms, Stroke::Light, style.Light, 255);
    paintarms(cell, arms, Stroke::Heavy, style.Heavy, 255);
    // A double line is a wide band with a channel cut along its middle; cutting the channels of
    // all arms after painting all bands gives the corners and tees their inner and outer lines.
    paintarms(cell, arms, Stroke::Double, 2 * style.DoubleStroke + style.DoubleGap, 255);
    paintarms(cell, arms, Stroke::Double, style.DoubleGap, 0);
    return cell;
}

GlyphCell drawshade(GlyphCell cell) {
    for (int y = 0; y < cell.Height; ++y) {
        for (int x = 0; x < cell.Width; ++x) {
            cell.set(x, y, (x + y) % 2 == 0 ? 255 : 0);
        }
    }
    return cell;
}

} // namespace

LineStyle linestyle(int cellwidth, double stemwidth) {
    // A line is centred in the cell only when its thickness has the parity of the cell width.
    const int parity = cellwidth % 2;
    auto centred = [parity](double thickness) {
        int rounded = static_cast<int>(std::lround((thickness - parity) / 2.0)) * 2 + parity;
        return std::max(rounded, parity == 0 ? 2 : 1);
    };
    LineStyle style;
    style.Light = centred(stemwidth);
    style.Heavy = style.Light + 2;
    style.DoubleGap = 2 - parity;
    style.DoubleStroke =
        cellwidth >= 16 ? style.Light - style.Light / 4 : std::max(1, style.Light / 2);
    return style;
}

bool candraw(char32_t character) {
    return findarms(character) != nullptr || character == U'\u2592' || character == U'\u2588' ||
           character == U'\u2594' || character == U'\u2581';
}

GlyphCell drawglyph(char32_t character, int width, int height, const LineStyle& style) {
    GlyphCell cell(width, height);
    if (const Arms* arms = findarms(character)) {
        return drawbox(*arms, cell, style);
    }
    switch (character) {
    case U'\u2592':
        return drawshade(cell);
    case U'\u2588':
        cell.fill(0, 0, width, height, 255);
        return cell;
    case U'\u2594':
        cell.fill(0, 0, width, style.Light, 255);
        return cell;
    case U'\u2581':
        cell.fill(0, height - style.Light, width, height, 255);
        return cell;
    default:
        return cell;
    }
}
