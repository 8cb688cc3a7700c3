#include "core/bridge.h"
#include "display/initwindow.h"
#include "display/videomemory.h"
#include "events/devicestate.h"
#include "events/keyqueue.h"
#include "events/menuqueue.h"
#include "input/keyevents.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/logcapture.h"
#include "tests/support/testfonts.h"
#include "tests/support/toolkit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <cctype>
#include <gtest/gtest.h>
#include <optional>
#include <thread>
#include <tuple>

namespace {

constexpr uint64_t Shift = platform::ShiftModifier, Control = platform::ControlModifier,
                   Option = platform::OptionModifier, Keypad = platform::NumericPadModifier;
const std::string UpArrow = "\xEF\x9C\x80"; // U+F700; the navigation rows go by key code only

std::optional<t_Event> takeevent() {
    if (t_NextEvent() < 0) {
        return std::nullopt;
    }
    return events::currentevent();
}

// Which of CursorKeyPressed and FunctionKeyPressed the event sets.
enum Mark { Plain, Cursor, Function };

struct KeyCase {
    int64_t keycode;
    std::string characters;
    uint64_t flags;
    int64_t value; // -1: nothing is queued
    Mark mark = Plain;
};

// Presses each key and checks the one event it queues, or that it queues none.
void expectkeys(const std::vector<KeyCase>& cases) {
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "key " << c.keycode << " \"" << c.characters << "\" flags " << c.flags);
        t_KeyEventHandler(0, platform::KeyPress{c.keycode, c.characters, c.flags});
        EXPECT_EQ(events::keyeventcount(), c.value < 0 ? 0 : 1);
        const std::optional<t_Event> event = takeevent();
        if (c.value >= 0 && event) {
            EXPECT_EQ(event->Value, c.value);
            EXPECT_EQ(event->Index, c.keycode);
            EXPECT_EQ(event->Description, c.characters);
            EXPECT_EQ(event->CursorKeyPressed, c.mark == Cursor);
            EXPECT_EQ(event->FunctionKeyPressed, c.mark == Function);
        }
    }
}

struct QtKey {
    int key;
    QString text;
    quint32 evdev = 0; // 0: no scan code, as on the offscreen platform
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    quint32 nativemodifiers = 0;
};

void send(QEvent::Type type, const QtKey& k, bool autorepeat = false) {
    QKeyEvent event(type, k.key, k.modifiers, k.evdev == 0 ? 0 : k.evdev + 8, 0, k.nativemodifiers,
                    k.text, autorepeat);
    QCoreApplication::sendEvent(reinterpret_cast<QWidget*>(display::windowrecord(0).View.load()),
                                &event);
}

void sendonmain(QEvent::Type type, const QtKey& k, bool autorepeat = false) {
    core::onmain([&] { send(type, k, autorepeat); });
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
        core::onmain([&] {
            send(QEvent::KeyPress, c.key);
            send(QEvent::KeyRelease, c.key);
        });
        const std::optional<t_Event> event = takeevent();
        EXPECT_EQ(event ? std::pair(event->Index, event->Value)
                        : std::pair(int64_t{-1}, int64_t{0}),
                  std::pair(c.index, c.value))
            << "Qt key " << c.key.key;
        if (event) {
            events.push_back(*event);
        }
    }
    EXPECT_FALSE(events::keyeventavailable());
    return events;
}

// Runs body as the program with window 0 open for text while a timer on the main thread types
// keys into view 0, one per tick whenever ready() allows: the keys come from the event loop,
// as the window system's do.
void inwindow(const std::function<void()>& body, const std::vector<QtKey>& keys = {},
              const std::function<bool()>& ready = {}) {
    setuptoolkit();
    std::atomic<bool> windowopen{false};
    size_t next = 0;
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&] {
        if (windowopen && next < keys.size() && ready()) {
            send(QEvent::KeyPress, keys[next]);
            send(QEvent::KeyRelease, keys[next++]);
        }
    });
    typist.start(3);
    ASSERT_TRUE(runprogram([&] {
        t_InitWindow(0, 24, true, 1280, 800, 16, 16, makegreyfont(16, 32), true);
        windowopen = true;
        body();
    }));
}

} // namespace

// A test whose body runs as the program with window 0 open for text.
#define WINDOW_TEST(suite, name) TOOLKIT_TEST(suite, name, inwindow)

// ---- The key table -------------------------------------------------------------------------

TEST(KeyTable, NavigationAndFunctionKeysAreMarked) {
    const std::vector<KeyCase> navigation{
        {123, UpArrow, 0, 8, Cursor},  {124, UpArrow, 0, 21, Cursor}, {125, UpArrow, 0, 10, Cursor},
        {126, UpArrow, 0, 11, Cursor}, {115, UpArrow, 0, 2, Cursor},  {119, UpArrow, 0, 5, Cursor},
        {116, UpArrow, 0, 18, Cursor}, {121, UpArrow, 0, 3, Cursor}};
    expectkeys(navigation);
    // Backspace, Forward Delete, w, F1 (U+F704), F12, Help
    const std::vector<KeyCase> others{{51, "\x7F", 0, 127},
                                      {117, "\xEF\x9C\xA8", 0, 7},
                                      {13, "w", 0, 'w'},
                                      {122, "\xEF\x9C\x84", 0, 129, Function},
                                      {111, "\xEF\x9C\x8F", 0, 140, Function},
                                      {114, "\xEF\x9D\x86", 0, 195, Function}};
    expectkeys(others);
}

TEST(KeyTable, OptionCharactersBecomeFontCodesOnTheirKeyOnly) {
    const std::vector<KeyCase> keys{{14, "€", Option, 164},        {14, "e", 0, 101},
                                    {35, "π", Option, 240},        {35, "∏", Option | Shift, 208},
                                    {16, "Ω", Option, 128},        {50, "≤", Option, 197},
                                    {50, "≥", Option | Shift, 198}};
    expectkeys(keys);
    // € on another key is not in the table, and above 255 it is dropped; Latin-1 passes.
    expectkeys({{15, "€", Option, -1}, {39, "ä", 0, 228}, {27, "ß", 0, 223}});
}

TEST(KeyTable, DeadKeysDependOnKeyAndModifiers) {
    // Option-N is a dead key only with Option.
    const std::vector<KeyCase> keys{{24, "", 0, 180},      {24, "", Shift, 96},   {10, "", 0, 94},
                                    {32, "", Option, 175}, {45, "", Option, 126}, {45, "", 0, 0},
                                    {45, "n", 0, 110}};
    expectkeys(keys);
}

TEST(KeyTable, ControlTabAndKeypadRowsNeedTheirExactCharacterOrModifier) {
    const std::vector<KeyCase> control{
        {48, "\x19", Shift, 20},         {48, "\t", 0, 9},  {37, "\x0C", Control | Option, 0},
        {37, "\x0C", Control, 12},       {36, "\r", 0, 13}, {76, "\x03", Keypad, 13},
        {71, "\xEF\x9C\xB9", Keypad, 27}};
    expectkeys(control);
    // Keypad digits with Option give symbols; Option is tested before Control.
    const std::vector<KeyCase> keypad{{82, "0", Keypad | Option, 216},
                                      {88, "6", Keypad | Option, 186},
                                      {89, "7", Keypad | Option, 229},
                                      {91, "8", Keypad | Option, 230},
                                      {92, "9", Keypad | Option | Control, 188},
                                      {91, "8", Keypad, 56},
                                      {83, "1", Keypad, 49}};
    expectkeys(keypad);
}

TEST(KeyTable, CharactersBetween256AndTheFunctionKeysQueueNothing) {
    expectkeys({{0, "Ā", 0, -1}, {200, "\xEF\x9C\x83", 0, -1}, {200, "\xC3\xBF", 0, 255}});
    // The modifier state is refreshed even when nothing is queued.
    t_KeyEventHandler(0, platform::KeyPress{0, "Ā", Shift | Control});
    EXPECT_EQ(events::keyeventcount(), 0);
    EXPECT_TRUE(events::modifierstate().shift);
    EXPECT_TRUE(events::modifierstate().control);
    EXPECT_FALSE(events::modifierstate().option);
}

TEST(KeyTable, EventCarriesModifierBitsAndOrigin) {
    const uint64_t flags = Shift | Option | Keypad | (1ull << 16) | (1ull << 23) | (1ull << 25);
    t_KeyEventHandler(3, platform::KeyPress{14, "€", flags});
    const std::optional<t_Event> e = takeevent();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Kind, 1);
    EXPECT_EQ(e->Window, 3);
    EXPECT_EQ(e->Mods, 0b10'1010'1011);
    EXPECT_EQ(e->WindowX, 0);
    EXPECT_GT(e->Time, 0);
    // Caps Lock, Shift, Control, Option, Command, keypad, Help, Fn, close box
    EXPECT_EQ((std::vector<bool>{e->CapsLockPressed, e->ShiftPressed, e->ControlPressed,
                                 e->OptionPressed, e->CommandPressed, e->NumericPadPressed,
                                 e->HelpPressed, e->FnPressed, e->CloseBox}),
              (std::vector<bool>{true, true, false, true, false, true, false, true, false}));
    EXPECT_TRUE(events::modifierstate().fn);
    EXPECT_TRUE(events::modifierstate().capslock);
}

// ---- The queue -------------------------------------------------------------------------------

TEST(KeyQueue, NextEventTakesInOrderAndKeepsTheCurrentEvent) {
    EXPECT_EQ(t_NextEvent(), -1);
    EXPECT_EQ(events::currentevent().Kind, 0);
    t_KeyEventHandler(0, {0, "a", 0});
    t_KeyEventHandler(0, {11, "b", 0});
    EXPECT_TRUE(events::keyeventavailable());
    EXPECT_EQ(t_NextEvent(), 97);
    EXPECT_EQ(events::currentevent().Index, 0);
    EXPECT_TRUE(events::keyeventavailable());
    EXPECT_EQ(t_NextEvent(), 98);
    EXPECT_FALSE(events::keyeventavailable());
    EXPECT_EQ(t_NextEvent(), -1);
    EXPECT_EQ(events::currentevent().Index, 11); // an empty take leaves it alone
}

TEST(KeyQueue, QueueStringAppendsOneEventPerCharacter) {
    t_QueueString("ab");
    const std::optional<t_Event> a = takeevent();
    ASSERT_TRUE(a);
    EXPECT_EQ(std::tuple(a->Value, a->Window, a->Index, a->Mods, a->Description, a->ShiftPressed),
              std::tuple(97, 1, 0, 0, "a", false));
    EXPECT_EQ(t_NextEvent(), 98);
    EXPECT_FALSE(takeevent());
    t_QueueString("");
    EXPECT_FALSE(events::keyeventavailable());
    t_QueueString("e\xCC\x81x"); // e with a combining acute is one character
    EXPECT_EQ(events::keyeventcount(), 2);
    EXPECT_EQ(t_NextEvent(), 233);
    EXPECT_EQ(events::currentevent().Description, "e\xCC\x81");
}

TEST(KeyQueue, CheckPauseOnlyWhenTheNewestKeyMatches) {
    EXPECT_FALSE(t_CheckPause(19, false));
    t_QueueString("a\x13z");
    EXPECT_FALSE(t_CheckPause(19, false));
    EXPECT_EQ(events::keyeventcount(), 3);
    t_QueueString("b\x13");
    EXPECT_TRUE(t_CheckPause(19, false));
    EXPECT_EQ(events::keyeventcount(), 0);
    EXPECT_FALSE(events::keyeventavailable());
}

TEST(KeyQueue, CheckPauseWaitsForAKeyAndDiscardsIt) {
    t_QueueString("ab\x13");
    std::atomic<bool> returned{false};
    std::thread program([&] {
        EXPECT_TRUE(t_CheckPause(19, true));
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    EXPECT_FALSE(returned);
    EXPECT_EQ(events::keyeventcount(), 0);
    t_QueueString("r");
    program.join();
    EXPECT_EQ(events::keyeventcount(), 0);
    EXPECT_FALSE(events::keyeventavailable());
    EXPECT_EQ(events::currentevent().Value, 'r');
}

TEST(KeyQueue, CheckPauseResumesOnAMenuSelectionWithoutTakingIt) {
    t_QueueString("\x13");
    std::thread program([] { EXPECT_TRUE(t_CheckPause(19, true)); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    t_MenuEvent selection;
    selection.Kind = 3;
    selection.ItemAction = 230;
    events::appendmenuevent(selection);
    program.join();
    EXPECT_EQ(events::menueventcount(), 1);
    EXPECT_TRUE(events::menueventavailable());
    t_MenuEvent taken;
    EXPECT_TRUE(t_TakeMenuEvent(taken));
    EXPECT_EQ(taken.ItemAction, 230);
    EXPECT_FALSE(t_TakeMenuEvent(taken));
}

// ---- Views and windows -------------------------------------------------------------------------

TEST(KeyViews, KeyDownBeforeMemoryOnlySetsKeyHeld) {
    LogCapture log;
    input::viewkeydown(0, {0, "a", 0});
    EXPECT_TRUE(events::keyheld());
    EXPECT_EQ(events::keyeventcount(), 0);
    EXPECT_TRUE(log.lines().empty());
    input::viewkeyup(0, {0, "a", 0});
    EXPECT_FALSE(events::keyheld());
}

WINDOW_TEST(KeyViews, WindowStateDecidesWhetherKeysAreQueued) {
    LogCapture log;
    input::viewkeydown(2, {0, "a", Shift});
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"viewKeyDown: Graphic window (2) not initialized."});
    EXPECT_EQ(events::keyeventcount(), 0);
    EXPECT_FALSE(events::modifierstate().shift);

    display::windowrecord(0).IgnoreEvents = true;
    input::viewkeydown(0, {0, "a", Shift});
    EXPECT_EQ(events::keyeventcount(), 0);
    EXPECT_FALSE(events::modifierstate().shift); // not refreshed either
    EXPECT_TRUE(events::keyheld());

    display::windowrecord(0).IgnoreEvents = false;
    input::viewkeydown(0, {0, "a", Shift});
    EXPECT_EQ(t_NextEvent(), 97);
    EXPECT_TRUE(events::modifierstate().shift);
    input::viewflagschanged(0, 0);
    EXPECT_FALSE(events::modifierstate().shift);
}

WINDOW_TEST(KeyViews, ControlWithKeypadDigitsRedirectsOutput) {
    for (const auto& [keycode, digit, redirect] :
         {std::tuple{91, "8", 2}, std::tuple{89, "7", 0}, std::tuple{92, "9", 1}}) {
        t_KeyEventHandler(0, {keycode, digit, Control | Keypad});
        EXPECT_EQ(display::windowrecord(0).TextRedirectOutput, redirect) << keycode;
    }
    EXPECT_EQ(events::keyeventcount(), 0);
    t_KeyEventHandler(0, {91, "8", Option | Keypad});
    EXPECT_EQ(t_NextEvent(), 230);
    EXPECT_EQ(display::windowrecord(0).TextRedirectOutput, 1);
}

WINDOW_TEST(KeyViews, GetKeyReturnsTypedKeysInOrderWithTheCursorShownWhileWaiting) {
    input::viewkeydown(0, {0, "a", 0});
    input::viewkeydown(0, {11, "b", 0});
    input::viewkeydown(0, {14, "€", Option});
    EXPECT_EQ(t_GetKey(0), "a");
    EXPECT_EQ(t_GetKey(0), "b");
    EXPECT_EQ(t_GetKey(0), "\xC2\xA4"); // 164 as a character
    EXPECT_EQ(display::windowrecord(0).TextCursorLevel, 0);
}

TEST(KeyViews, GetKeyShowsTheCursorOnlyWhileWaiting) {
    // F1 is typed only while the cursor is on; t_GetKey would wait for ever otherwise.
    const auto cursoron = [] { return display::windowrecord(0).TextCursorLevel == 1; };
    const auto body = [] {
        EXPECT_EQ(t_GetKey(0), "\xC2\x81"); // F1 is 129
        EXPECT_EQ(display::windowrecord(0).TextCursorLevel, 0);
    };
    inwindow(body, {{Qt::Key_F1, ""}}, cursoron);
}

// ---- Qt key events through a real view ---------------------------------------------------------

WINDOW_TEST(QtKeys, PositionDecidesTheKeyCodeOnAGermanKeyboard) {
    // The German Z sits where the US Y is; AltGr-E gives €.
    const std::vector<QtCase> keys{{{Qt::Key_Z, "z", 21}, 16, 'z'},
                                   {{Qt::Key_Y, "y", 44}, 6, 'y'},
                                   {{Qt::Key_E, "€", 18, Qt::GroupSwitchModifier}, 14, 164},
                                   {{Qt::Key_Dead_Acute, "", 13}, 24, 180},
                                   {{Qt::Key_Dead_Grave, "", 13, Qt::ShiftModifier}, 24, 96},
                                   {{Qt::Key_Dead_Circumflex, "", 41}, 10, 94},
                                   {{Qt::Key_Less, "<", 86}, 50, '<'},
                                   {{Qt::Key_Odiaeresis, "ö", 39}, 41, 246}};
    const std::vector<t_Event> events = typeandcheck(keys);
    ASSERT_EQ(events.size(), 8u);
    EXPECT_TRUE(events[2].OptionPressed);
    EXPECT_EQ(events[2].Description, "€");
    EXPECT_EQ(events[3].Description, "");
}

WINDOW_TEST(QtKeys, KeysWithoutScanCodeFallBackToTheQtKey) {
    // The last key comes with Caps Lock on.
    const std::vector<QtCase> keys{{{Qt::Key_Left, ""}, 123, 8},
                                   {{Qt::Key_Backspace, "\b"}, 51, 127},
                                   {{Qt::Key_Delete, "\x7f"}, 117, 7},
                                   {{Qt::Key_F1, ""}, 122, 129},
                                   {{Qt::Key_Backtab, "\t", 0, Qt::ShiftModifier}, 48, 20},
                                   {{Qt::Key_A, "", 0, Qt::ControlModifier}, 0, 1},
                                   {{Qt::Key_Enter, "\r", 0, Qt::KeypadModifier}, 76, 13},
                                   {{Qt::Key_Return, "\r"}, 36, 13},
                                   {{Qt::Key_P, "P", 0, Qt::NoModifier, 2}, 35, 'P'}};
    const std::vector<t_Event> events = typeandcheck(keys);
    ASSERT_EQ(events.size(), 9u);
    EXPECT_TRUE(events[0].CursorKeyPressed);
    EXPECT_EQ(events[1].Description, "\x7f");
    EXPECT_TRUE(events[3].FunctionKeyPressed);
    EXPECT_TRUE(events[5].ControlPressed);
    EXPECT_EQ(events[6].Description, "\x03");
    EXPECT_TRUE(events[6].NumericPadPressed);
    EXPECT_TRUE(events[8].CapsLockPressed);
    EXPECT_FALSE(events[7].CapsLockPressed);
}

WINDOW_TEST(QtKeys, KeypadKeysCarryTheKeypadBitAndTheirDigitWithoutNumLock) {
    // Up is keypad 8 with Num Lock off; Control with keypad 8 redirects the output instead of
    // queuing; the last 8 is the top row's.
    const auto keypad = Qt::KeypadModifier;
    const std::vector<QtCase> keys{{{Qt::Key_8, "8", 72, keypad | Qt::AltModifier}, 91, 230},
                                   {{Qt::Key_Up, "", 72, keypad}, 91, '8'},
                                   {{Qt::Key_Delete, "\x7f", 83, keypad}, 65, '.'},
                                   {{Qt::Key_8, "8", 72, keypad | Qt::ControlModifier}, -1, 0},
                                   {{Qt::Key_8, "8", 9}, 28, '8'}};
    const std::vector<t_Event> events = typeandcheck(keys);
    EXPECT_EQ(display::windowrecord(0).TextRedirectOutput, 2);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_TRUE(events[0].NumericPadPressed);
    EXPECT_FALSE(events[1].CursorKeyPressed);
    EXPECT_FALSE(events[3].NumericPadPressed);
}

WINDOW_TEST(QtKeys, ModifierKeysChangeOnlyTheModifierState) {
    sendonmain(QEvent::KeyPress, {Qt::Key_Shift, "", 42});
    EXPECT_TRUE(events::modifierstate().shift);
    EXPECT_FALSE(events::keyheld());
    sendonmain(QEvent::KeyPress, {Qt::Key_AltGr, "", 100, Qt::ShiftModifier});
    EXPECT_TRUE(events::modifierstate().option);
    // Qt may report a modifier key's own event with the state before or after the change.
    sendonmain(QEvent::KeyRelease,
               {Qt::Key_Shift, "", 42, Qt::ShiftModifier | Qt::GroupSwitchModifier});
    EXPECT_FALSE(events::modifierstate().shift);
    EXPECT_TRUE(events::modifierstate().option);
    sendonmain(QEvent::KeyPress, {Qt::Key_CapsLock, "", 58});
    EXPECT_TRUE(events::modifierstate().capslock);
    EXPECT_EQ(events::keyeventcount(), 0);
}

WINDOW_TEST(QtKeys, AutoRepeatedReleasesKeepTheKeyHeld) {
    const QtKey a{Qt::Key_A, "a", 30};
    sendonmain(QEvent::KeyPress, a);
    EXPECT_TRUE(events::keyheld());
    sendonmain(QEvent::KeyRelease, a, true);
    EXPECT_TRUE(events::keyheld());
    sendonmain(QEvent::KeyPress, a, true);
    sendonmain(QEvent::KeyRelease, a);
    EXPECT_FALSE(events::keyheld());
    EXPECT_EQ(events::keyeventcount(), 2);
}

TEST(QtKeys, KeysArriveOnTheMainThreadWhileTheProgramWaits) {
    const std::string text = "Hello 12345";
    std::vector<QtKey> keys;
    for (char c : text) {
        keys.push_back({c == ' ' ? int(Qt::Key_Space) : std::toupper(c), QString(QChar(c))});
    }
    const auto body = [&] {
        std::string typed;
        for (size_t i = 0; i < text.size(); ++i) {
            typed += t_GetKey(0);
        }
        EXPECT_EQ(typed, text);
        EXPECT_FALSE(events::keyeventavailable());
    };
    inwindow(body, keys, [] { return true; });
}
