// Key positions: evdev key codes and Qt keys as the original platform's virtual key codes.
#include "platform/keycodes.h"

#include <Qt>
#include <algorithm>
#include <array>

namespace platform {

namespace {

struct Position {
    uint32_t evdev;
    int64_t keycode;
};

// The original names its keys after a US keyboard. Its ISO keyboards report the key left of "1"
// (^ on German caps) as the section key 10 and the extra key beside the left Shift (< on German
// caps) as 50; the key table relies on that, so the same positions get the same codes here.
// PC keys the original keyboard lacks (Num Lock, Insert, Menu, Print, Scroll Lock, Pause) have no
// position: Num Lock sits where the original's keypad Clear is, which would end every input.
constexpr auto evdevpositions = std::to_array<Position>({
    {1, 53},    {2, 18},    {3, 19},    {4, 20},    {5, 21},    {6, 23},    {7, 22},    {8, 26},
    {9, 28},    {10, 25},   {11, 29},   {12, 27},   {13, 24},   {14, 51},   {15, 48},   {16, 12},
    {17, 13},   {18, 14},   {19, 15},   {20, 17},   {21, 16},   {22, 32},   {23, 34},   {24, 31},
    {25, 35},   {26, 33},   {27, 30},   {28, 36},   {29, 59},   {30, 0},    {31, 1},    {32, 2},
    {33, 3},    {34, 5},    {35, 4},    {36, 38},   {37, 40},   {38, 37},   {39, 41},   {40, 39},
    {41, 10},   {42, 56},   {43, 42},   {44, 6},    {45, 7},    {46, 8},    {47, 9},    {48, 11},
    {49, 45},   {50, 46},   {51, 43},   {52, 47},   {53, 44},   {54, 60},   {55, 67},   {56, 58},
    {57, 49},   {58, 57},   {59, 122},  {60, 120},  {61, 99},   {62, 118},  {63, 96},   {64, 97},
    {65, 98},   {66, 100},  {67, 101},  {68, 109},  {71, 89},   {72, 91},   {73, 92},   {74, 78},
    {75, 86},   {76, 87},   {77, 88},   {78, 69},   {79, 83},   {80, 84},   {81, 85},   {82, 82},
    {83, 65},   {86, 50},   {87, 103},  {88, 111},  {89, 94},   {96, 76},   {97, 62},   {98, 75},
    {100, 61},  {102, 115}, {103, 126}, {104, 116}, {105, 123}, {106, 124}, {107, 119}, {108, 125},
    {109, 121}, {111, 117}, {113, 74},  {114, 73},  {115, 72},  {117, 81},  {121, 95},  {124, 93},
    {125, 55},  {126, 54},  {138, 114}, {183, 105}, {184, 107}, {185, 113}, {186, 106}, {187, 64},
    {188, 79},  {189, 80},  {190, 90},
});

struct QtPosition {
    int key;
    int64_t keycode;
};

constexpr auto qtpositions = std::to_array<QtPosition>({
    {Qt::Key_A, 0},
    {Qt::Key_S, 1},
    {Qt::Key_D, 2},
    {Qt::Key_F, 3},
    {Qt::Key_H, 4},
    {Qt::Key_G, 5},
    {Qt::Key_Z, 6},
    {Qt::Key_X, 7},
    {Qt::Key_C, 8},
    {Qt::Key_V, 9},
    {Qt::Key_AsciiCircum, 10},
    {Qt::Key_Dead_Circumflex, 10},
    {Qt::Key_degree, 10},
    {Qt::Key_B, 11},
    {Qt::Key_Q, 12},
    {Qt::Key_W, 13},
    {Qt::Key_E, 14},
    {Qt::Key_R, 15},
    {Qt::Key_Y, 16},
    {Qt::Key_T, 17},
    {Qt::Key_1, 18},
    {Qt::Key_Exclam, 18},
    {Qt::Key_2, 19},
    {Qt::Key_At, 19},
    {Qt::Key_QuoteDbl, 39},
    {Qt::Key_3, 20},
    {Qt::Key_section, 20},
    {Qt::Key_4, 21},
    {Qt::Key_Dollar, 21},
    {Qt::Key_6, 22},
    {Qt::Key_Ampersand, 26},
    {Qt::Key_5, 23},
    {Qt::Key_Percent, 23},
    {Qt::Key_Equal, 24},
    {Qt::Key_acute, 24},
    {Qt::Key_Dead_Acute, 24},
    {Qt::Key_Dead_Grave, 24},
    {Qt::Key_9, 25},
    {Qt::Key_ParenLeft, 25},
    {Qt::Key_7, 26},
    {Qt::Key_Slash, 44},
    {Qt::Key_Minus, 27},
    {Qt::Key_ssharp, 27},
    {Qt::Key_Question, 44},
    {Qt::Key_Underscore, 27},
    {Qt::Key_8, 28},
    {Qt::Key_Asterisk, 28},
    {Qt::Key_0, 29},
    {Qt::Key_ParenRight, 29},
    {Qt::Key_BracketRight, 30},
    {Qt::Key_BraceRight, 30},
    {Qt::Key_Plus, 30},
    {Qt::Key_O, 31},
    {Qt::Key_U, 32},
    {Qt::Key_Dead_Diaeresis, 32},
    {Qt::Key_BracketLeft, 33},
    {Qt::Key_BraceLeft, 33},
    {Qt::Key_Udiaeresis, 33},
    {Qt::Key_I, 34},
    {Qt::Key_P, 35},
    {Qt::Key_Return, 36},
    {Qt::Key_L, 37},
    {Qt::Key_J, 38},
    {Qt::Key_Apostrophe, 39},
    {Qt::Key_Adiaeresis, 39},
    {Qt::Key_K, 40},
    {Qt::Key_Semicolon, 41},
    {Qt::Key_Colon, 41},
    {Qt::Key_Odiaeresis, 41},
    {Qt::Key_Backslash, 42},
    {Qt::Key_Bar, 42},
    {Qt::Key_NumberSign, 42},
    {Qt::Key_Comma, 43},
    {Qt::Key_N, 45},
    {Qt::Key_Dead_Tilde, 45},
    {Qt::Key_M, 46},
    {Qt::Key_Period, 47},
    {Qt::Key_Tab, 48},
    {Qt::Key_Backtab, 48},
    {Qt::Key_Space, 49},
    {Qt::Key_QuoteLeft, 10},
    {Qt::Key_AsciiTilde, 10},
    {Qt::Key_Less, 50},
    {Qt::Key_Greater, 50},
    {Qt::Key_Backspace, 51},
    {Qt::Key_Escape, 53},
    {Qt::Key_Super_R, 54},
    {Qt::Key_Meta, 55},
    {Qt::Key_Super_L, 55},
    {Qt::Key_Shift, 56},
    {Qt::Key_CapsLock, 57},
    {Qt::Key_Alt, 58},
    {Qt::Key_Control, 59},
    {Qt::Key_AltGr, 61},
    {Qt::Key_F17, 64},
    {Qt::Key_Clear, 71},
    {Qt::Key_Enter, 76},
    {Qt::Key_F18, 79},
    {Qt::Key_F19, 80},
    {Qt::Key_F20, 90},
    {Qt::Key_F5, 96},
    {Qt::Key_F6, 97},
    {Qt::Key_F7, 98},
    {Qt::Key_F3, 99},
    {Qt::Key_F8, 100},
    {Qt::Key_F9, 101},
    {Qt::Key_F11, 103},
    {Qt::Key_F13, 105},
    {Qt::Key_F16, 106},
    {Qt::Key_F14, 107},
    {Qt::Key_F10, 109},
    {Qt::Key_F12, 111},
    {Qt::Key_F15, 113},
    {Qt::Key_Help, 114},
    {Qt::Key_Home, 115},
    {Qt::Key_PageUp, 116},
    {Qt::Key_Delete, 117},
    {Qt::Key_F4, 118},
    {Qt::Key_End, 119},
    {Qt::Key_F2, 120},
    {Qt::Key_PageDown, 121},
    {Qt::Key_F1, 122},
    {Qt::Key_Left, 123},
    {Qt::Key_Right, 124},
    {Qt::Key_Down, 125},
    {Qt::Key_Up, 126},
});

// Keypad keys, with the keys Qt reports for them while Num Lock is off (Clear is keypad 5 then:
// a PC keyboard has no Clear key).
constexpr auto qtkeypadpositions = std::to_array<QtPosition>({
    {Qt::Key_Period, 65}, {Qt::Key_Comma, 65},  {Qt::Key_Delete, 65},   {Qt::Key_Asterisk, 67},
    {Qt::Key_Plus, 69},   {Qt::Key_Clear, 87},  {Qt::Key_Slash, 75},    {Qt::Key_Enter, 76},
    {Qt::Key_Return, 76}, {Qt::Key_Minus, 78},  {Qt::Key_Equal, 81},    {Qt::Key_0, 82},
    {Qt::Key_Insert, 82}, {Qt::Key_1, 83},      {Qt::Key_End, 83},      {Qt::Key_2, 84},
    {Qt::Key_Down, 84},   {Qt::Key_3, 85},      {Qt::Key_PageDown, 85}, {Qt::Key_4, 86},
    {Qt::Key_Left, 86},   {Qt::Key_5, 87},      {Qt::Key_6, 88},        {Qt::Key_Right, 88},
    {Qt::Key_7, 89},      {Qt::Key_Home, 89},   {Qt::Key_8, 91},        {Qt::Key_Up, 91},
    {Qt::Key_9, 92},      {Qt::Key_PageUp, 92},
});

struct KeypadKey {
    int64_t keycode;
    char32_t character;
};

constexpr char32_t clearlinecharacter = 0xF739;

constexpr auto keypadkeys = std::to_array<KeypadKey>({
    {65, U'.'},
    {67, U'*'},
    {69, U'+'},
    {71, clearlinecharacter},
    {75, U'/'},
    {76, 3},
    {78, U'-'},
    {81, U'='},
    {82, U'0'},
    {83, U'1'},
    {84, U'2'},
    {85, U'3'},
    {86, U'4'},
    {87, U'5'},
    {88, U'6'},
    {89, U'7'},
    {91, U'8'},
    {92, U'9'},
});

struct KeycodeRange {
    int64_t first, last;
};

// Return, Tab, Backspace, Escape; the modifiers and F17; volume keys; F18, F19, F20; the function,
// navigation and Japanese input keys from F5 up to the Up arrow.
constexpr auto commandkeycodes = std::to_array<KeycodeRange>({
    {36, 36},
    {48, 48},
    {51, 51},
    {53, 64},
    {72, 74},
    {79, 80},
    {90, 90},
    {96, 126},
});

template <typename Table> int64_t lookup(const Table& table, int key) {
    const auto found =
        std::find_if(table.begin(), table.end(), [key](const auto& p) { return p.key == key; });
    return found == table.end() ? unknownkeycode : found->keycode;
}

} // namespace

int64_t keycodeofevdev(uint32_t evdev) {
    const auto found = std::find_if(evdevpositions.begin(), evdevpositions.end(),
                                    [evdev](const Position& p) { return p.evdev == evdev; });
    return found == evdevpositions.end() ? unknownkeycode : found->keycode;
}

int64_t keycodeofqtkey(int qtkey, bool keypad) {
    if (keypad) {
        const int64_t keycode = lookup(qtkeypadpositions, qtkey);
        if (keycode != unknownkeycode) {
            return keycode;
        }
    }
    return lookup(qtpositions, qtkey);
}

bool iskeypadkeycode(int64_t keycode) {
    return keypadcharacter(keycode) != 0;
}

bool istypingkeycode(int64_t keycode) {
    const bool command = std::any_of(
        commandkeycodes.begin(), commandkeycodes.end(),
        [keycode](const KeycodeRange& r) { return keycode >= r.first && keycode <= r.last; });
    return !command && !iskeypadkeycode(keycode);
}

char32_t keypadcharacter(int64_t keycode) {
    const auto found = std::find_if(keypadkeys.begin(), keypadkeys.end(),
                                    [keycode](const KeypadKey& k) { return k.keycode == keycode; });
    return found == keypadkeys.end() ? 0 : found->character;
}

} // namespace platform
