// A graphics program at 4 bits per pixel: the 16 palette colours, a fan of lines and enlarged
// glyphs of a bitmap font, drawn out of sight and shown with one explicit redraw. Written only
// against the public header.
#include <quorvinthal/toolkit.h>

namespace {

constexpr uint8_t window = 0;
constexpr int64_t width = 640, height = 400;

// One bar of 40 columns per palette colour along the top edge.
void swatches() {
    for (int64_t colour = t_Black; colour <= t_White; ++colour) {
        t_Color(window, colour);
        for (int64_t x = colour * 40; x < colour * 40 + 40; ++x) {
            g_Line(window, x, 0, x, 59);
        }
    }
}

void lettering() {
    const t_Font font = t_LoadFontResource(t_FontBold8x16);
    g_GotoXY(window, 40, 80);
    g_PrintString(window, "Quorvinthal", 4, 4, t_PaletteColor(t_White), t_PaletteColor(t_Black),
                  font);
    g_GotoXY(window, 40, 160);
    g_PrintString(window, "16 Farben, 4 Bit", 2, 2, t_PaletteColor(t_Cyan), t_PaletteColor(t_Black),
                  font);
}

// Lines from the middle of the bottom edge to every 20th column of the row at y 220, in the
// colours after black in turn.
void fan() {
    for (int64_t i = 0; i <= width / 20; ++i) {
        t_Color(window, t_Red + i % t_White);
        g_Line(window, width / 2, height - 1, i * 20, 220);
    }
}

void program() {
    t_InitWindow(window, 4, false, width, height, 16, 16, t_Font{}, true);
    t_WindowTitle(window, "Grafikbeispiel");
    t_ColorBorder(window, t_Black);
    t_WindowCenter(window);
    t_WindowFront(window);
    swatches();
    lettering();
    fan();
    t_WindowUpdate(window, false);
}

} // namespace

int main(int argc, char** argv) {
    return t_RunApplication(argc, argv, program);
}
