#include "display/bell.h"
#include "events/devicestate.h"
#include "events/queues.h"
#include "input/keyevents.h"
#include "tests/support/inputhelpers.h"

#include <optional>
#include <thread>

namespace {

constexpr uint64_t Shift = platform::ShiftModifier, Control = platform::ControlModifier,
                   Option = platform::OptionModifier, Keypad = platform::NumericPadModifier;
// Private-use characters of the navigation and function keys; the navigation rows go by key code
// only, so every one of them gets the Up arrow's.
const std::string Up = "\xEF\x9C\x80", F1 = "\xEF\x9C\x84", F12 = "\xEF\x9C\x8F",
                  Help = "\xEF\x9D\x86", Del = "\xEF\x9C\xA8", Clear = "\xEF\x9C\xB9",
                  BeforeF1 = "\xEF\x9C\x83";

std::optional<t_Event> takeevent() {
    if (t_NextEvent() < 0) {
        return std::nullopt;
    }
    return events::keyqueue().lasttaken();
}

// Which of CursorKeyPressed (Nav) and FunctionKeyPressed (Fn) the event sets.
enum Mark { Plain, Nav, Fn };

struct KeyCase {
    int64_t keycode;
    std::string characters;
    std::string mods; // S Shift, C Control, O Option, K keypad
    int64_t value;    // -1: nothing is queued
    Mark mark = Plain;
};

// Presses each key and checks the one event it queues, or that it queues none.
void expectkeys(const std::vector<KeyCase>& cases) {
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "key " << c.keycode << " \"" << c.characters << "\" " << c.mods);
        uint64_t flags = 0;
        for (char m : c.mods) {
            flags |= m == 'S' ? Shift : m == 'C' ? Control : m == 'O' ? Option : Keypad;
        }
        t_KeyEventHandler(0, platform::KeyPress{c.keycode, c.characters, flags});
        EXPECT_EQ(events::keyqueue().count(), c.value < 0 ? 0 : 1);
        const std::optional<t_Event> event = takeevent();
        if (c.value >= 0 && event) {
            EXPECT_EQ(std::tuple(event->Value, event->Index, event->Description,
                                 event->CursorKeyPressed, event->FunctionKeyPressed),
                      std::tuple(c.value, c.keycode, c.characters, c.mark == Nav, c.mark == Fn));
        }
    }
}

struct QtCase {
    QtKey key;
    int64_t index; // -1: nothing is queued
    int64_t value;
};

// Presses and releases each key in view 0 on the main thread, as the window system delivers
// them, and checks the Index and Value of the event each queues; returns those events.
std::vector<t_Event> typeandcheck(const std::vector<QtCase>& cases) {
    std::vector<t_Event> events;
    for (const QtCase& c : cases) {
        sendkey(QEvent::KeyPress, c.key);
        sendkey(QEvent::KeyRelease, c.key);
        const std::optional<t_Event> event = takeevent();
        EXPECT_EQ(event ? std::pair(event->Index, event->Value)
                        : std::pair(int64_t{-1}, int64_t{0}),
                  std::pair(c.index, c.value))
            << "Qt key " << c.key.key;
        if (event) {
            events.push_back(*event);
        }
    }
    EXPECT_FALSE(events::keyqueue().available());
    return events;
}

std::vector<QtKey> joined(std::initializer_list<std::vector<QtKey>> parts) {
    std::vector<QtKey> keys;
    for (const auto& part : parts) {
        keys.insert(keys.end(), part.begin(), part.end());
    }
    return keys;
}

} // namespace

// Before the memory a key down only sets the held flag. In order of the braces: events are taken
// in order, and an empty take leaves the last taken.
TEST(KeyQueue, KeyDownBeforeMemoryOnlySetsKeyHeldAndEventsAreTakenInOrder) {
    auto& queue = events::keyqueue();
    LogCapture log;
    input::viewkeydown(0, {0, "a", 0});
    EXPECT_EQ((std::tuple{events::keyheld(), queue.count(), log.lines().size()}),
              (std::tuple{true, 0, 0u}));
    input::viewkeyup(0, {0, "a", 0});
    EXPECT_EQ((std::tuple{events::keyheld(), t_NextEvent(), queue.lasttaken().Kind}),
              (std::tuple{false, -1, 0}));
    t_KeyEventHandler(0, {0, "a", 0});
    t_KeyEventHandler(0, {11, "b", 0});
    EXPECT_EQ(
        (std::tuple{queue.available(), t_NextEvent(), queue.lasttaken().Index, queue.available(),
                    t_NextEvent(), queue.available(), t_NextEvent(), queue.lasttaken().Index}),
        (std::tuple{true, 97, 0, true, 98, false, -1, 11}));
    t_QueueString("ab");
    const std::optional<t_Event> a = takeevent();
    ASSERT_TRUE(a);
    EXPECT_EQ(std::tuple(a->Value, a->Window, a->Index, a->Mods, a->Description, a->ShiftPressed),
              std::tuple(97, 1, 0, 0, "a", false));
    EXPECT_EQ(t_NextEvent(), 98);
    EXPECT_FALSE(takeevent());
    t_QueueString("");
    EXPECT_FALSE(events::keyqueue().available());
    t_QueueString("e\xCC\x81x"); // e with a combining acute is one character
    EXPECT_EQ(events::keyqueue().count(), 2);
    EXPECT_EQ(t_NextEvent(), 233);
    EXPECT_EQ(events::keyqueue().lasttaken().Description, "e\xCC\x81");
    EXPECT_EQ(t_NextEvent(), 'x');
}

// CheckPause pauses only when the newest key matches, taking the keys; waiting, it resumes on a
// key, which it takes, or on a menu selection, which it leaves.
TEST(KeyQueue, CheckPauseOnlyWhenTheNewestKeyMatchesThenWaitsForAKeyOrAMenu) {
    auto& queue = events::keyqueue();
    EXPECT_FALSE(t_CheckPause(19, false));
    t_QueueString("a\x13z");
    EXPECT_EQ((std::tuple{t_CheckPause(19, false), queue.count()}), (std::tuple{false, 3}));
    t_QueueString("b\x13");
    EXPECT_EQ((std::tuple{t_CheckPause(19, false), queue.count(), queue.available()}),
              (std::tuple{true, 0, false}));
    for (const bool bymenu : {false, true}) {
        t_QueueString(bymenu ? "\x13" : "ab\x13");
        std::atomic<bool> resumed{false};
        std::thread program([&] {
            EXPECT_TRUE(t_CheckPause(19, true));
            resumed = true;
        });
        ASSERT_TRUE(waitfor([] { return events::keyqueue().count() == 0; }));
        std::this_thread::sleep_for(std::chrono::milliseconds(30)); // it has noted the menu count
        EXPECT_FALSE(resumed);
        t_MenuEvent selection;
        selection.Kind = 3;
        selection.ItemAction = 230;
        bymenu ? events::menuqueue().append(selection) : t_QueueString("r");
        EXPECT_TRUE(waitfor([&] { return resumed.load(); }));
        if (!resumed) {
            t_QueueString("x"); // lets the thread end, the failure stands
        }
        program.join();
        // A menu resumes taking no key.
        EXPECT_EQ((std::tuple{queue.count(), queue.available(), queue.lasttaken().Value}),
                  (std::tuple{0, false, 'r'}));
    }
    EXPECT_EQ(events::menuqueue().count(), 1);
    EXPECT_TRUE(events::menuqueue().available());
    t_MenuEvent taken;
    EXPECT_TRUE(t_TakeMenuEvent(taken));
    EXPECT_EQ(taken.ItemAction, 230);
    EXPECT_FALSE(t_TakeMenuEvent(taken));
}

// Every row of the key table with its condition holding and failing (the character then counts as
// itself); characters from 256 up to the function keys (U+F704 on) are dropped.
TEST(KeyTable, RowsNeedTheirCharacterAndModifiers) {
    expectkeys(
        {{0, "Ā", "", -1},      {0, "å", "", 176},    {0, "a", "", 'a'},     {1, "‚", "", 168},
         {1, "s", "", 's'},     {2, "∂", "", 173},    {2, "d", "", 'd'},     {3, "ƒ", "", 130},
         {3, "f", "", 'f'},     {4, "ª", "", 131},    {4, "h", "", 'h'},     {7, "≈", "", 132},
         {7, "x", "", 'x'},     {9, "√", "", 253},    {9, "v", "", 'v'},     {10, "", "", 94},
         {10, "°", "S", 176},   {11, "∫", "", 222},   {11, "b", "", 'b'},    {13, "∑", "", 221},
         {13, "w", "", 'w'},    {14, "€", "O", 164},  {14, "e", "", 101},    {15, "€", "O", -1},
         {16, "Ω", "O", 128},   {16, "z", "", 'z'},   {17, "†", "", 189},    {17, "t", "", 't'},
         {19, "“", "", 163},    {19, "2", "", '2'},   {24, "", "", 180},     {24, "", "S", 96},
         {24, "=", "", '='},    {27, "¿", "", 166},   {27, "ß", "", 223},    {29, "≠", "", 172},
         {29, "0", "", '0'},    {32, "", "O", 175},   {32, "u", "", 'u'},    {33, "•", "", 184},
         {33, "ü", "", 252},    {34, "⁄", "", 129},   {34, "i", "", 'i'},    {35, "π", "O", 240},
         {35, "∏", "OS", 208},  {35, "p", "", 'p'},   {36, "\r", "", 13},    {37, "\x0C", "CO", 0},
         {37, "\x0C", "C", 12}, {38, "º", "", 183},   {38, "j", "", 'j'},    {39, "ä", "", 228},
         {40, "∆", "", 254},    {40, "k", "", 'k'},   {41, "œ", "", 190},    {41, "ö", "", 246},
         {42, "‘", "", 180},    {42, "#", "", '#'},   {43, "∞", "", 255},    {43, ",", "", ','},
         {44, "–", "", 154},    {44, "-", "", '-'},   {45, "", "O", 126},    {45, "", "", 0},
         {45, "n", "", 110},    {47, "…", "", 191},   {47, ".", "", '.'},    {48, "\x19", "S", 20},
         {48, "\t", "", 9},     {50, "≤", "O", 197},  {50, "≥", "OS", 198},  {50, "<", "", '<'},
         {51, "\b", "", 127},   {71, Clear, "K", 27}, {76, "\x03", "K", 13}, {82, "0", "KO", 216},
         {82, "0", "K", '0'},   {83, "1", "KO", 185}, {83, "1", "K", '1'},   {84, "2", "KO", 178},
         {84, "2", "K", '2'},   {85, "3", "KO", 179}, {85, "3", "K", '3'},   {86, "4", "KO", 170},
         {86, "4", "K", '4'},   {87, "5", "KO", 215}, {87, "5", "K", '5'},   {88, "6", "KO", 186},
         {88, "6", "K", '6'},   {89, "7", "KO", 229}, {89, "7", "KOC", 229}, {89, "7", "KC", -1},
         {89, "7", "K", '7'},   {91, "8", "KO", 230}, {91, "8", "KC", -1},   {91, "8", "K", '8'},
         {92, "9", "KOC", 188}, {92, "9", "KC", -1},  {92, "9", "K", '9'},   {117, Del, "", 7},
         {200, "ÿ", "", 255}});
    // The navigation and function keys, and the private-use character before F1.
    expectkeys({{111, F12, "", 140, Fn},
                {114, Help, "", 195, Fn},
                {122, F1, "", 129, Fn},
                {200, BeforeF1, "", -1}});
    const int64_t navigation[][2] = {{115, 2}, {116, 18}, {119, 5},  {121, 3},
                                     {123, 8}, {124, 21}, {125, 10}, {126, 11}};
    for (auto [keycode, value] : navigation) {
        expectkeys({{keycode, Up, "", value, Nav}});
    }
}

// The modifier state is refreshed even when nothing is queued.
TEST(KeyTable, EventsCarryTheModifierFlags) {
    t_KeyEventHandler(0, platform::KeyPress{0, "Ā", Shift | Control});
    EXPECT_EQ(events::keyqueue().count(), 0);
    const auto held = events::modifierstate();
    EXPECT_EQ(std::tuple(held.shift, held.control, held.option), std::tuple(true, true, false));
    const uint64_t flags = Shift | Option | Keypad | (1ull << 16) | (1ull << 23) | (1ull << 25);
    t_KeyEventHandler(3, platform::KeyPress{14, "€", flags});
    const std::optional<t_Event> e = takeevent();
    ASSERT_TRUE(e);
    EXPECT_EQ(std::tuple(e->Kind, e->Window, e->Mods, e->WindowX),
              std::tuple(1, 3, 0b10'1010'1011, 0));
    EXPECT_GT(e->Time, 0);
    // Caps Lock, Shift, Control, Option, Command, keypad, Help, Fn, close box
    EXPECT_EQ((std::vector<bool>{e->CapsLockPressed, e->ShiftPressed, e->ControlPressed,
                                 e->OptionPressed, e->CommandPressed, e->NumericPadPressed,
                                 e->HelpPressed, e->FnPressed, e->CloseBox}),
              (std::vector<bool>{true, true, false, true, false, true, false, true, false}));
    EXPECT_TRUE(events::modifierstate().fn && events::modifierstate().capslock);
}

// Control with a keypad digit redirects the output instead of queuing.
WINDOW_TEST(KeyViews, WindowStateDecidesWhetherKeysAreQueuedOrRedirectOutput) {
    LogCapture log;
    input::viewkeydown(2, {0, "a", Shift});
    EXPECT_EQ(log.lines(), Lines{"viewKeyDown: Graphic window (2) not initialized."});
    EXPECT_EQ(std::tuple(events::keyqueue().count(), events::modifierstate().shift),
              std::tuple(0, false));
    // Ignored, a key is held but neither queued nor does it refresh the modifiers.
    windowrecord(0).IgnoreEvents = true;
    input::viewkeydown(0, {0, "a", Shift});
    EXPECT_EQ(
        std::tuple(events::keyqueue().count(), events::modifierstate().shift, events::keyheld()),
        std::tuple(0, false, true));
    windowrecord(0).IgnoreEvents = false;
    input::viewkeydown(0, {0, "a", Shift});
    EXPECT_EQ(t_NextEvent(), 97);
    EXPECT_TRUE(events::modifierstate().shift);
    input::viewflagschanged(0, 0);
    EXPECT_FALSE(events::modifierstate().shift);
    for (const auto& [keycode, digit, redirect] :
         {std::tuple{91, "8", 2}, std::tuple{89, "7", 0}, std::tuple{92, "9", 1}}) {
        t_KeyEventHandler(0, {keycode, digit, Control | Keypad});
        EXPECT_EQ(windowrecord(0).TextRedirectOutput, redirect) << keycode;
    }
    EXPECT_EQ(events::keyqueue().count(), 0);
    t_KeyEventHandler(0, {91, "8", Option | Keypad});
    EXPECT_EQ(t_NextEvent(), 230);
    EXPECT_EQ(windowrecord(0).TextRedirectOutput, 1);
    input::viewkeydown(0, {0, "a", 0});
    input::viewkeydown(0, {11, "b", 0});
    input::viewkeydown(0, {14, "€", Option});
    EXPECT_EQ((Lines{t_GetKey(0), t_GetKey(0), t_GetKey(0)}), (Lines{"a", "b", "\xC2\xA4"})); // 164
    EXPECT_EQ(windowrecord(0).TextCursorLevel, 0);
}

// The German Z sits where the US Y is; AltGr-E gives €. Keys without a scan code fall back to the
// Qt key; the last comes with Caps Lock on.
WINDOW_TEST(QtKeys, ScanCodesAndQtKeysGiveTheKeysOfTheOriginalKeyboard) {
    std::vector<t_Event> e =
        typeandcheck({{{Qt::Key_Z, "z", 21}, 16, 'z'},
                      {{Qt::Key_Y, "y", 44}, 6, 'y'},
                      {{Qt::Key_E, "€", 18, Qt::GroupSwitchModifier}, 14, 164},
                      {{Qt::Key_Dead_Acute, "", 13}, 24, 180},
                      {{Qt::Key_Dead_Grave, "", 13, Qt::ShiftModifier}, 24, 96},
                      {{Qt::Key_Dead_Circumflex, "", 41}, 10, 94},
                      {{Qt::Key_Less, "<", 86}, 50, '<'},
                      {{Qt::Key_Odiaeresis, "ö", 39}, 41, 246}});
    ASSERT_EQ(e.size(), 8u);
    EXPECT_EQ(std::tuple(e[2].OptionPressed, e[2].Description, e[3].Description),
              std::tuple(true, "€", ""));
    e = typeandcheck({{{Qt::Key_Left, ""}, 123, 8},
                      {{Qt::Key_Backspace, "\b"}, 51, 127},
                      {{Qt::Key_Delete, "\x7f"}, 117, 7},
                      {{Qt::Key_F1, ""}, 122, 129},
                      {{Qt::Key_Backtab, "\t", 0, Qt::ShiftModifier}, 48, 20},
                      {{Qt::Key_A, "", 0, Qt::ControlModifier}, 0, 1},
                      {{Qt::Key_Enter, "\r", 0, Qt::KeypadModifier}, 76, 13},
                      {{Qt::Key_Return, "\r"}, 36, 13},
                      {{Qt::Key_P, "P", 0, Qt::NoModifier, 2}, 35, 'P'}});
    ASSERT_EQ(e.size(), 9u);
    EXPECT_EQ(std::tuple(e[1].Description, e[6].Description), std::tuple("\x7f", "\x03"));
    EXPECT_EQ(
        (std::vector<bool>{e[0].CursorKeyPressed, e[3].FunctionKeyPressed, e[5].ControlPressed,
                           e[6].NumericPadPressed, e[8].CapsLockPressed, e[7].CapsLockPressed}),
        (std::vector<bool>{true, true, true, true, true, false}));
}

// A virtual keyboard (wtype) hands out scan codes in the order it needs characters: a character
// from Escape's, Backspace's or the keypad's place, and Return from a digit's, count as the keys Qt
// names; a typing key on another typing key's place keeps its place, as a layout would have it.
WINDOW_TEST(QtKeys, MadeUpScanCodesOfAVirtualKeyboardGiveWayToTheQtKey) {
    typeandcheck({{{Qt::Key_5, "5", 1}, 23, '5'},
                  {{Qt::Key_X, "x", 14}, 7, 'x'},
                  {{Qt::Key_Return, "\r", 2}, 36, 13},
                  {{Qt::Key_8, "8", 72}, 28, '8'},
                  {{Qt::Key_Eacute, "é", 72}, 255, 233},
                  {{Qt::Key_Period, ".", 3}, 19, '.'},
                  {{Qt::Key_Escape, "\x1b", 1}, 53, 27}});
}

// Keypad keys carry the keypad bit and their digit without Num Lock (Up is keypad 8); Control with
// keypad 8 redirects the output instead of queuing; the last 8 is the top row's.
WINDOW_TEST(QtKeys, KeypadKeysCarryTheKeypadBitAndTheirDigit) {
    const auto keypad = Qt::KeypadModifier;
    const std::vector<t_Event> e =
        typeandcheck({{{Qt::Key_8, "8", 72, keypad | Qt::AltModifier}, 91, 230},
                      {{Qt::Key_Up, "", 72, keypad}, 91, '8'},
                      {{Qt::Key_Delete, "\x7f", 83, keypad}, 65, '.'},
                      {{Qt::Key_8, "8", 72, keypad | Qt::ControlModifier}, -1, 0},
                      {{Qt::Key_8, "8", 9}, 28, '8'}});
    EXPECT_EQ(windowrecord(0).TextRedirectOutput, 2);
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(
        (std::vector<bool>{e[0].NumericPadPressed, e[1].CursorKeyPressed, e[3].NumericPadPressed}),
        (std::vector<bool>{true, false, false}));
}

WINDOW_TEST(QtKeys, ModifierKeysAndAutoRepeatChangeOnlyTheirState) {
    sendkey(QEvent::KeyPress, {Qt::Key_Shift, "", 42});
    EXPECT_TRUE(events::modifierstate().shift);
    EXPECT_FALSE(events::keyheld());
    sendkey(QEvent::KeyPress, {Qt::Key_AltGr, "", 100, Qt::ShiftModifier});
    EXPECT_TRUE(events::modifierstate().option);
    // Qt may report a modifier key's own event with the state before or after the change.
    sendkey(QEvent::KeyRelease,
            {Qt::Key_Shift, "", 42, Qt::ShiftModifier | Qt::GroupSwitchModifier});
    EXPECT_TRUE(!events::modifierstate().shift && events::modifierstate().option);
    sendkey(QEvent::KeyPress, {Qt::Key_NumLock, "", 69}); // no key of the original keyboard
    sendkey(QEvent::KeyPress, {Qt::Key_CapsLock, "", 58});
    EXPECT_TRUE(events::modifierstate().capslock);
    EXPECT_EQ(std::tuple(events::keyqueue().count(), events::keyheld()), std::tuple(0, false));
    // An auto-repeated release keeps the key held.
    const QtKey a{Qt::Key_A, "a", 30};
    sendkey(QEvent::KeyPress, a);
    EXPECT_TRUE(events::keyheld());
    sendkey(QEvent::KeyRelease, a, true);
    EXPECT_TRUE(events::keyheld());
    sendkey(QEvent::KeyPress, a, true);
    sendkey(QEvent::KeyRelease, a);
    EXPECT_FALSE(events::keyheld());
    EXPECT_EQ(events::keyqueue().count(), 2);
}

// F1 is typed only while the cursor is on (t_GetKey would wait for ever otherwise), the other keys
// as soon as F1 has been taken. Then Num Lock between the digits of a date, and every PC key the
// original keyboard lacks, with its scan code and without: none types or ends the input; keypad 0
// and 5 keep their digits while Num Lock is off. A date pasted between euro signs ends no input,
// and the next one gets only what is typed there.
TEST(QtKeys, GetKeyShowsTheCursorOnlyWhileWaitingAndForeignKeysAndPasteNeitherTypeNorEndAnInput) {
    const auto keypad = Qt::KeypadModifier;
    const std::vector<QtKey> foreign{
        {Qt::Key_Insert, "", 110},    {Qt::Key_Menu, "", 127},  {Qt::Key_Print, "", 99},
        {Qt::Key_ScrollLock, "", 70}, {Qt::Key_Pause, "", 119}, {Qt::Key_Insert, ""},
        {Qt::Key_Menu, ""},           {Qt::Key_Print, ""},      {Qt::Key_ScrollLock, ""},
        {Qt::Key_Pause, ""},          {Qt::Key_SysReq, ""},     {Qt::Key_NumLock, ""}};
    const std::vector<QtKey> keys =
        joined({{{Qt::Key_F1, ""}},
                keysfortext("Hello 12345"),
                keysfortext("5.12"),
                {{Qt::Key_NumLock, "", 69}},
                keysfortext(".1985"),
                foreign,
                {{Qt::Key_Insert, "", 82, keypad}, {Qt::Key_Clear, "", 0, keypad}},
                keysfortext("\r"),
                {{Qt::Key_V, "\x16", 0, Qt::ControlModifier}},
                keysfortext("\r7\r")});
    const auto ready = [] {
        return window().TextCursorLevel == 1 || events::keyqueue().lasttaken().Value != 0;
    };
    const auto body = [] {
        setpasteboard("€5.12.1985€\nzweite Zeile");
        EXPECT_EQ(t_GetKey(0), "\xC2\x81"); // F1 is 129
        EXPECT_EQ(window().TextCursorLevel, 0);
        std::string typed;
        for (int i = 0; i < 11; ++i) {
            typed += t_GetKey(0);
        }
        EXPECT_EQ(typed, "Hello 12345");
        EXPECT_EQ(t_InputForm(0, "Geburtsdatum   : ", "", false, 0, 20), "5.12.198505");
        EXPECT_EQ(cells(1, 18, 11), "5.12.198505");
        EXPECT_EQ(window().TextCursorLevel, 0);
        const uint64_t bells = display::bellcount();
        EXPECT_EQ(t_InputForm(0, "Geburtsdatum   : ", "", false, 0, 10), "5.12.1985");
        EXPECT_EQ(display::bellcount(), bells + 1);
        EXPECT_EQ(t_InputForm(0, "Vorhersagedatum: ", "", false, 0, 10), "7");
        EXPECT_FALSE(events::keyqueue().available());
    };
    inwindow(body, keys, ready);
}
