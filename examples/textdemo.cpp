// A text program: colours, inverse output, a display mode, a scrolling list and two typed
// answers read with the line editor. Written only against the public header.
#include <quorvinthal/toolkit.h>
#include <string>

namespace {

constexpr uint8_t window = 0;

void colours() {
    t_Print(window, "Farben: ");
    for (int64_t colour = t_Red; colour <= t_White; ++colour) {
        t_Color(window, colour);
        t_Print(window, std::to_string(colour) + " ");
    }
    t_Color(window, t_White);
    t_Cr(window);
}

void modes() {
    t_Print(window, "Ausgabe: normal, ");
    t_Inverse(window);
    t_Print(window, "invers");
    t_Normal(window);
    t_Print(window, ", Modus 1: ");
    // The upper half prints codes 32 ... 127 as their twins from 160 on: D V \ become Ä Ö Ü.
    t_DisplayMode(window, t_DisplayUpperHalf);
    t_Print(window, "DV\\");
    t_DisplayMode(window, t_DisplayPlain);
    t_Cr(window);
}

// More lines than the window holds: the text scrolls up as the last line fills.
void countdown() {
    for (int64_t line = 20; line >= 1; --line) {
        t_Print(window, "Zeile " + std::to_string(line));
        t_Cr(window);
    }
}

void conversation() {
    const std::string name = t_InputForm(window, "Wie heißt du? ", "", false, t_InputText, 20);
    const std::string number =
        t_InputForm(window, "Eine Zahl bis 999: ", "7", false, t_InputInteger, 3);
    const int64_t value = number.empty() ? 0 : std::stoll(number);
    t_Color(window, t_Lime);
    t_Print(window, "Hallo, " + name + "! " + number + " zum Quadrat ist " +
                        std::to_string(value * value) + ".");
    t_Color(window, t_White);
    t_Cr(window);
}

void program() {
    t_InitWindow(window, 24, 64, 16, 16, t_FontBold16x32);
    t_WindowTitle(window, "Textbeispiel");
    t_WindowCenter(window);
    t_WindowFront(window);
    t_Color(window, t_White);
    t_Header(window, "Quorvinthal", "Textbeispiel");
    t_TextLine(window);
    countdown();
    colours();
    modes();
    conversation();
    t_QuitProgram(window);
}

} // namespace

int main(int argc, char** argv) {
    return t_RunApplication(argc, argv, program);
}
