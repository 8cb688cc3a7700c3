#include "input/keyevents.h"

#include "base/clock.h"
#include "display/videomemory.h"
#include "display/windowlookup.h"
#include "events/devicestate.h"
#include "events/queues.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <array>

namespace input {

namespace {

constexpr int64_t lasttablekeycode = 126;
constexpr int64_t lastbytevalue = 255;
constexpr int64_t anycharacter = -1;

enum class Outcome {
    Value,            // an event with this value
    ReplaceCharacter, // the character is replaced, then classified as any other
    Redirect,         // the window's output is redirected; no event
};

struct KeyRule {
    int64_t keycode;
    int64_t character; // the first character the key must produce, or anycharacter
    uint64_t required; // modifier flags that must all be held
    uint64_t excluded; // modifier flags none of which may be held
    Outcome outcome;
    int64_t number; // the value, the replacement character or the redirection target
    bool cursor;
};

constexpr KeyRule produces(int64_t keycode, int64_t character, int64_t value) {
    return {keycode, character, 0, 0, Outcome::Value, value, false};
}
constexpr KeyRule always(int64_t keycode, int64_t value) {
    return {keycode, anycharacter, 0, 0, Outcome::Value, value, false};
}
constexpr KeyRule cursorkey(int64_t keycode, int64_t value) {
    return {keycode, anycharacter, 0, 0, Outcome::Value, value, true};
}
constexpr KeyRule withoption(int64_t keycode, int64_t character, int64_t value) {
    return {keycode, character, platform::OptionModifier, 0, Outcome::Value, value, false};
}
constexpr KeyRule withshift(int64_t keycode, int64_t character, int64_t value) {
    return {keycode, character, platform::ShiftModifier, 0, Outcome::Value, value, false};
}
constexpr KeyRule withoutshift(int64_t keycode, int64_t character, int64_t value) {
    return {keycode, character, 0, platform::ShiftModifier, Outcome::Value, value, false};
}
constexpr KeyRule optionreplaces(int64_t keycode, int64_t character) {
    return {keycode,   anycharacter, platform::OptionModifier, 0, Outcome::ReplaceCharacter,
            character, false};
}
constexpr KeyRule controlredirects(int64_t keycode, int64_t target) {
    const uint64_t control = platform::ControlModifier;
    return {keycode,           anycharacter, control, platform::OptionModifier,
            Outcome::Redirect, target,       false};
}

// Rows of one key code are tried in order; the first whose condition holds decides.
constexpr auto keytable = std::to_array<KeyRule>({
    produces(0, 0x00E5, 176),             // A: å
    produces(1, 0x201A, 168),             // S: ‚
    produces(2, 0x2202, 173),             // D: ∂
    produces(3, 0x0192, 130),             // F: ƒ
    produces(4, 0x00AA, 131),             // H: ª
    produces(7, 0x2248, 132),             // X: ≈
    produces(9, 0x221A, 253),             // V: √
    produces(10, 0, 94),                  // section key [^]: dead circumflex
    produces(11, 0x222B, 222),            // B: ∫
    produces(13, 0x2211, 221),            // W: ∑
    produces(14, 0x20AC, 164),            // E: €
    produces(16, 0x03A9, 128),            // Y [Z]: Ω
    produces(17, 0x2020, 189),            // T: †
    produces(19, 0x201C, 163),            // 2: “
    withoutshift(24, 0, 180),             // = [´]: dead acute
    withshift(24, 0, 96),                 // = [´] with Shift: dead grave
    produces(27, 0x00BF, 166),            // - [ß]: ¿
    produces(29, 0x2260, 172),            // 0: ≠
    produces(32, 0, 175),                 // U: dead diaeresis
    produces(33, 0x2022, 184),            // [ [Ü]: •
    produces(34, 0x2044, 129),            // I: ⁄
    produces(35, 0x03C0, 240),            // P: π
    produces(35, 0x220F, 208),            // P: ∏
    withoption(37, 12, 0),                // L: Control-Option-L
    produces(38, 0x00BA, 183),            // J: º
    produces(40, 0x2206, 254),            // K: ∆
    produces(41, 0x0153, 190),            // ; [Ö]: œ
    produces(42, 0x2018, 180),            // \ [#]: ‘
    produces(43, 0x221E, 255),            // ,: ∞
    produces(44, 0x2013, 154),            // / [-]: –
    withoption(45, 0, 126),               // N: dead tilde
    produces(47, 0x2026, 191),            // .: …
    produces(48, 25, 20),                 // Shift-Tab
    produces(50, 0x2264, 197),            // ` [<]: ≤
    produces(50, 0x2265, 198),            // ` [<]: ≥
    always(51, 127),                      // Delete (backspace)
    always(71, 27),                       // keypad Clear
    always(76, 13),                       // keypad Enter
    withoption(82, anycharacter, 216),    // keypad 0
    withoption(83, anycharacter, 185),    // keypad 1
    withoption(84, anycharacter, 178),    // keypad 2
    withoption(85, anycharacter, 179),    // keypad 3
    withoption(86, anycharacter, 170),    // keypad 4
    withoption(87, anycharacter, 215),    // keypad 5
    withoption(88, anycharacter, 186),    // keypad 6
    optionreplaces(89, 229),              // keypad 7
    controlredirects(89, t_OutputNone),   //   Control: no output
    optionreplaces(91, 230),              // keypad 8
    controlredirects(91, t_OutputStdout), //   Control: standard output
    optionreplaces(92, 188),              // keypad 9
    controlredirects(92, t_OutputWindow), //   Control: the window
    cursorkey(115, 2),                    // Home
    cursorkey(116, 18),                   // Page Up
    always(117, 7),                       // Forward Delete
    cursorkey(119, 5),                    // End
    cursorkey(121, 3),                    // Page Down
    cursorkey(123, 8),                    // Left arrow
    cursorkey(124, 21),                   // Right arrow
    cursorkey(125, 10),                   // Down arrow
    cursorkey(126, 11),                   // Up arrow
});

static_assert(std::is_sorted(keytable.begin(), keytable.end(),
                             [](const KeyRule& a, const KeyRule& b) {
                                 return a.keycode < b.keycode;
                             }),
              "rows of one key code must be adjacent and in key-code order");

bool holds(const KeyRule& rule, int64_t character, uint64_t flags) {
    return (rule.character == anycharacter || rule.character == character) &&
           (flags & rule.required) == rule.required && (flags & rule.excluded) == 0;
}

const KeyRule* matchingrule(int64_t keycode, int64_t character, uint64_t flags) {
    if (keycode > lasttablekeycode) {
        return nullptr;
    }
    const auto [first, last] = std::equal_range(
        keytable.begin(), keytable.end(), KeyRule{keycode, 0, 0, 0, Outcome::Value, 0, false},
        [](const KeyRule& a, const KeyRule& b) { return a.keycode < b.keycode; });
    const auto found = std::find_if(
        first, last, [&](const KeyRule& rule) { return holds(rule, character, flags); });
    return found == last ? nullptr : &*found;
}

struct Translation {
    enum Kind { None, Event, Redirect } kind = None;
    int64_t number = 0; // the value or the redirection target
    bool cursor = false;
    bool function = false;
};

// Characters without a table row: bytes are themselves, the platform's function-key characters
// become 129 upward, everything else is dropped.
Translation classify(int64_t character) {
    if (character >= 0 && character <= lastbytevalue) {
        return {Translation::Event, character};
    }
    if (character >= firstfunctionkeycharacter) {
        return {Translation::Event, character - functionkeyoffset, false, true};
    }
    return {};
}

Translation translate(int64_t keycode, int64_t character, uint64_t flags) {
    const KeyRule* rule = matchingrule(keycode, character, flags);
    if (rule == nullptr) {
        return classify(character);
    }
    switch (rule->outcome) {
    case Outcome::Value:
        return {Translation::Event, rule->number, rule->cursor};
    case Outcome::ReplaceCharacter:
        return classify(rule->number);
    case Outcome::Redirect:
        return {Translation::Redirect, rule->number};
    }
    return {};
}

t_Event keyevent(uint8_t n, const platform::KeyPress& press, const Translation& translation,
                 int64_t time) {
    const uint64_t m = press.modifierflags;
    t_Event event;
    event.Kind = t_EventKey;
    event.Index = press.keycode;
    event.Description = press.characters;
    event.Value = translation.number;
    event.Window = n;
    event.Time = time;
    events::setmodifierfields(event, m);
    event.FnPressed = (m & platform::FunctionModifier) != 0;
    event.CursorKeyPressed = translation.cursor;
    event.FunctionKeyPressed = translation.function;
    return event;
}

} // namespace

void viewkeydown(uint8_t n, const platform::KeyPress& press) {
    if (display::takesevents("viewKeyDown", n)) {
        t_KeyEventHandler(n, press);
    }
    events::setkeyheld(true);
}

void viewkeyup(uint8_t, const platform::KeyPress&) {
    events::setkeyheld(false);
}

void viewflagschanged(uint8_t, uint64_t modifierflags) {
    events::refreshmodifierstate(modifierflags);
}

} // namespace input

void t_KeyEventHandler(uint8_t n, const platform::KeyPress& press) {
    const int64_t character = t_Asc(press.characters);
    const int64_t time = base::absolutemilliseconds();
    events::refreshmodifierstate(press.modifierflags);
    const input::Translation translation =
        input::translate(press.keycode, character, press.modifierflags);
    switch (translation.kind) {
    case input::Translation::None:
        return;
    case input::Translation::Redirect:
        t_RedirectOutput(n, translation.number);
        return;
    case input::Translation::Event:
        events::keyqueue().append(input::keyevent(n, press, translation, time));
        return;
    }
}
