#include "core/bridge.h"
#include "display/initwindow.h"
#include "display/videomemory.h"
#include "input/keyevents.h"
#include "input/keyqueue.h"
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

namespace {

constexpr uint64_t Shift = ShiftModifier;
constexpr uint64_t Control = ControlModifier;
constexpr uint64_t Option = OptionModifier;
constexpr uint64_t Keypad = NumericPadModifier;

// The event a key press queues, if it queues one.
std::optional<t_Event> eventof(int64_t keycode, const std::string& characters, uint64_t flags = 0) {
    const int64_t before = keyeventcount();
    t_KeyEventHandler(0, platform::KeyPress{keycode, characters, flags});
    if (keyeventcount() == before) {
        return std::nullopt;
    }
    EXPECT_EQ(keyeventcount(), before + 1);
    t_NextEvent();
    return currentevent();
}

int64_t valueof(int64_t keycode, const std::string& characters, uint64_t flags = 0) {
    const std::optional<t_Event> event = eventof(keycode, characters, flags);
    return event ? event->Value : -1;
}

using Codes = std::vector<std::pair<int64_t, int64_t>>;

std::vector<t_Event> drainevents() {
    std::vector<t_Event> events;
    while (t_NextEvent() >= 0) {
        events.push_back(currentevent());
    }
    return events;
}

// Index and Value of each event.
Codes codes(const std::vector<t_Event>& events) {
    Codes result;
    for (const t_Event& event : events) {
        result.emplace_back(event.Index, event.Value);
    }
    return result;
}

std::optional<t_Event> takeevent() {
    if (t_NextEvent() < 0) {
        return std::nullopt;
    }
    return currentevent();
}

void textwindow(uint8_t n) {
    t_InitWindow(n, 24, true, 1280, 800, 16, 16, makegreyfont(16, 32), true);
}

QWidget* viewwidget(uint8_t n) {
    return reinterpret_cast<QWidget*>(windowrecord(n).View.load());
}

struct QtKey {
    int key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text;
    quint32 evdev = 0; // 0: no scan code, as on the offscreen platform
    quint32 nativemodifiers = 0;
};

void send(uint8_t n, QEvent::Type type, const QtKey& k, bool autorepeat = false) {
    QKeyEvent event(type, k.key, k.modifiers, k.evdev == 0 ? 0 : k.evdev + 8, 0, k.nativemodifiers,
                    k.text, autorepeat);
    QCoreApplication::sendEvent(viewwidget(n), &event);
}

// Presses and releases a key in view n on the main thread, as the window system delivers it.
void typeinview(uint8_t n, const QtKey& k) {
    onmain([&] {
        send(n, QEvent::KeyPress, k);
        send(n, QEvent::KeyRelease, k);
    });
}

// Runs body as the program with window 0 open for text.
void inwindow(const std::function<void()>& body) {
    setuptoolkit();
    ASSERT_TRUE(runprogram([&] {
        textwindow(0);
        body();
    }));
}

// Runs body as the program with window 0 open for text while a timer on the main thread types
// keys into view 0, one per tick whenever ready() allows: the keys come from the event loop,
// as the window system's do.
void typedwhilerunning(const std::vector<QtKey>& keys, const std::function<bool()>& ready,
                       const std::function<void()>& body) {
    setuptoolkit();
    std::atomic<bool> windowopen{false};
    size_t next = 0;
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&] {
        if (windowopen && next < keys.size() && ready()) {
            send(0, QEvent::KeyPress, keys[next]);
            send(0, QEvent::KeyRelease, keys[next]);
            ++next;
        }
    });
    typist.start(3);
    ASSERT_TRUE(runprogram([&] {
        textwindow(0);
        windowopen = true;
        body();
    }));
}

} // namespace

// ---- The key table -------------------------------------------------------------------------

TEST(KeyTable, NavigationKeysGiveControlCodesMarkedAsCursorKeys) {
    const std::pair<int64_t, int64_t> keys[] = {{123, 8}, {124, 21}, {125, 10}, {126, 11},
                                                {115, 2}, {119, 5},  {116, 18}, {121, 3}};
    for (const auto& [keycode, value] : keys) {
        const std::optional<t_Event> event = eventof(keycode, "\xEF\x9C\x80");
        ASSERT_TRUE(event) << keycode;
        EXPECT_EQ(event->Value, value) << keycode;
        EXPECT_TRUE(event->CursorKeyPressed) << keycode;
        EXPECT_FALSE(event->FunctionKeyPressed) << keycode;
    }
    const std::optional<t_Event> backspace = eventof(51, "\x7F");
    EXPECT_EQ(backspace->Value, 127);
    EXPECT_FALSE(backspace->CursorKeyPressed);
    const std::optional<t_Event> forwarddelete = eventof(117, "\xEF\x9C\xA8");
    EXPECT_EQ(forwarddelete->Value, 7);
    EXPECT_FALSE(forwarddelete->CursorKeyPressed);
}

TEST(KeyTable, OptionCharactersBecomeFontCodesOnTheirKeyOnly) {
    EXPECT_EQ(valueof(14, "€", Option), 164);
    EXPECT_EQ(valueof(14, "e"), 101);
    EXPECT_EQ(valueof(35, "π", Option), 240);
    EXPECT_EQ(valueof(35, "∏", Option | Shift), 208);
    EXPECT_EQ(valueof(16, "Ω", Option), 128);
    EXPECT_EQ(valueof(50, "≤", Option), 197);
    EXPECT_EQ(valueof(50, "≥", Option | Shift), 198);
    // The same character on another key is not in the table: above 255 it is dropped.
    EXPECT_EQ(valueof(15, "€", Option), -1);
    // Latin-1 letters pass unchanged.
    EXPECT_EQ(valueof(39, "ä"), 228);
    EXPECT_EQ(valueof(27, "ß"), 223);
}

TEST(KeyTable, DeadKeysDependOnKeyAndModifiers) {
    EXPECT_EQ(valueof(24, ""), 180);
    EXPECT_EQ(valueof(24, "", Shift), 96);
    EXPECT_EQ(valueof(10, ""), 94);
    EXPECT_EQ(valueof(32, "", Option), 175);
    EXPECT_EQ(valueof(45, "", Option), 126);
    EXPECT_EQ(valueof(45, ""), 0); // without Option the row does not apply
    EXPECT_EQ(valueof(45, "n"), 110);
    const std::optional<t_Event> dead = eventof(24, "");
    EXPECT_EQ(dead->Description, "");
    EXPECT_EQ(dead->Index, 24);
}

TEST(KeyTable, FunctionKeysCountFrom129) {
    const std::optional<t_Event> f1 = eventof(122, "\xEF\x9C\x84"); // U+F704
    ASSERT_TRUE(f1);
    EXPECT_EQ(f1->Value, 129);
    EXPECT_TRUE(f1->FunctionKeyPressed);
    EXPECT_FALSE(f1->CursorKeyPressed);
    EXPECT_EQ(valueof(111, "\xEF\x9C\x8F"), 140); // F12, U+F70F
    EXPECT_EQ(valueof(114, "\xEF\x9D\x86"), 195); // Help, U+F746
    EXPECT_FALSE(eventof(13, "w")->FunctionKeyPressed);
}

TEST(KeyTable, CharactersBetween256AndTheFunctionKeysQueueNothing) {
    EXPECT_FALSE(eventof(0, "Ā"));              // U+0100
    EXPECT_FALSE(eventof(200, "\xEF\x9C\x83")); // U+F703, just below F1
    EXPECT_TRUE(eventof(200, "\xC3\xBF"));      // U+00FF
    EXPECT_EQ(keyeventcount(), 0);
    // The modifier state is refreshed even when nothing is queued.
    t_KeyEventHandler(0, platform::KeyPress{0, "Ā", Shift | Control});
    EXPECT_TRUE(modifierstate().shift);
    EXPECT_TRUE(modifierstate().control);
    EXPECT_FALSE(modifierstate().option);
}

TEST(KeyTable, ControlAndTabRowsNeedTheirExactCharacter) {
    EXPECT_EQ(valueof(48, "\x19", Shift), 20); // Shift-Tab
    EXPECT_EQ(valueof(48, "\t"), 9);
    EXPECT_EQ(valueof(37, "\x0C", Control | Option), 0);
    EXPECT_EQ(valueof(37, "\x0C", Control), 12);
    EXPECT_EQ(valueof(36, "\r"), 13);
    EXPECT_EQ(valueof(76, "\x03", Keypad), 13);
    EXPECT_EQ(valueof(71, "\xEF\x9C\xB9", Keypad), 27);
}

TEST(KeyTable, KeypadDigitsWithOptionGiveSymbols) {
    EXPECT_EQ(valueof(82, "0", Keypad | Option), 216);
    EXPECT_EQ(valueof(88, "6", Keypad | Option), 186);
    EXPECT_EQ(valueof(89, "7", Keypad | Option), 229);
    EXPECT_EQ(valueof(91, "8", Keypad | Option), 230);
    EXPECT_EQ(valueof(92, "9", Keypad | Option | Control), 188); // Option is tested first
    EXPECT_EQ(valueof(91, "8", Keypad), 56);
    EXPECT_EQ(valueof(83, "1", Keypad), 49);
}

TEST(KeyTable, EventCarriesModifierBitsAndOrigin) {
    const uint64_t flags = Shift | Option | Keypad | (1ull << 16) | (1ull << 23) | (1ull << 25);
    t_KeyEventHandler(3, platform::KeyPress{14, "€", flags});
    const std::optional<t_Event> event = takeevent();
    ASSERT_TRUE(event);
    EXPECT_EQ(event->Kind, 1);
    EXPECT_EQ(event->Index, 14);
    EXPECT_EQ(event->Description, "€");
    EXPECT_EQ(event->Window, 3);
    EXPECT_EQ(event->Mods, 0b10'1010'1011);
    EXPECT_TRUE(event->CapsLockPressed);
    EXPECT_TRUE(event->ShiftPressed);
    EXPECT_FALSE(event->ControlPressed);
    EXPECT_TRUE(event->OptionPressed);
    EXPECT_FALSE(event->CommandPressed);
    EXPECT_TRUE(event->NumericPadPressed);
    EXPECT_FALSE(event->HelpPressed);
    EXPECT_TRUE(event->FnPressed);
    EXPECT_FALSE(event->CloseBox);
    EXPECT_EQ(event->WindowX, 0);
    EXPECT_GT(event->Time, 0);
    EXPECT_TRUE(modifierstate().fn);
    EXPECT_TRUE(modifierstate().capslock);
}

// ---- The queue -------------------------------------------------------------------------------

TEST(KeyQueue, NextEventTakesInOrderAndKeepsTheCurrentEvent) {
    EXPECT_EQ(t_NextEvent(), -1);
    EXPECT_EQ(currentevent().Kind, 0);
    t_KeyEventHandler(0, {0, "a", 0});
    t_KeyEventHandler(0, {11, "b", 0});
    EXPECT_TRUE(keyeventavailable());
    EXPECT_EQ(t_NextEvent(), 97);
    EXPECT_EQ(currentevent().Index, 0);
    EXPECT_TRUE(keyeventavailable());
    EXPECT_EQ(t_NextEvent(), 98);
    EXPECT_FALSE(keyeventavailable());
    EXPECT_EQ(t_NextEvent(), -1);
    EXPECT_EQ(currentevent().Index, 11); // an empty take leaves it alone
}

TEST(KeyQueue, QueueStringAppendsOneEventPerCharacter) {
    t_QueueString("ab");
    const std::optional<t_Event> a = takeevent();
    const std::optional<t_Event> b = takeevent();
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->Value, 97);
    EXPECT_EQ(b->Value, 98);
    EXPECT_EQ(a->Window, 1);
    EXPECT_EQ(a->Index, 0);
    EXPECT_EQ(a->Mods, 0);
    EXPECT_EQ(a->Description, "a");
    EXPECT_FALSE(a->ShiftPressed);
    EXPECT_FALSE(takeevent());
    t_QueueString("");
    EXPECT_FALSE(keyeventavailable());
    t_QueueString("e\xCC\x81x"); // e with a combining acute is one character
    EXPECT_EQ(keyeventcount(), 2);
    EXPECT_EQ(t_NextEvent(), 233);
    EXPECT_EQ(currentevent().Description, "e\xCC\x81");
}

TEST(KeyQueue, CheckPauseOnlyWhenTheNewestKeyMatches) {
    EXPECT_FALSE(t_CheckPause(19, false));
    t_QueueString("a\x13z");
    EXPECT_FALSE(t_CheckPause(19, false));
    EXPECT_EQ(keyeventcount(), 3);
    t_QueueString("b\x13");
    EXPECT_TRUE(t_CheckPause(19, false));
    EXPECT_EQ(keyeventcount(), 0);
    EXPECT_FALSE(keyeventavailable());
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
    EXPECT_EQ(keyeventcount(), 0);
    t_QueueString("r");
    program.join();
    EXPECT_TRUE(returned);
    EXPECT_EQ(keyeventcount(), 0);
    EXPECT_FALSE(keyeventavailable());
    EXPECT_EQ(currentevent().Value, 'r');
}

TEST(KeyQueue, CheckPauseResumesOnAMenuSelectionWithoutTakingIt) {
    t_QueueString("\x13");
    std::thread program([] { EXPECT_TRUE(t_CheckPause(19, true)); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    t_MenuEvent selection;
    selection.Kind = 3;
    selection.ItemAction = 230;
    appendmenuevent(selection);
    program.join();
    EXPECT_EQ(menueventcount(), 1);
    EXPECT_TRUE(menueventavailable());
    t_MenuEvent taken;
    EXPECT_TRUE(takemenuevent(taken));
    EXPECT_EQ(taken.ItemAction, 230);
    EXPECT_FALSE(takemenuevent(taken));
}

// ---- Views and windows -------------------------------------------------------------------------

TEST(KeyViews, KeyDownBeforeMemoryOnlySetsKeyHeld) {
    LogCapture log;
    viewKeyDown(0, {0, "a", 0});
    EXPECT_TRUE(keyheld);
    EXPECT_EQ(keyeventcount(), 0);
    EXPECT_TRUE(log.lines().empty());
    viewKeyUp(0, {0, "a", 0});
    EXPECT_FALSE(keyheld);
}

TEST(KeyViews, WindowStateDecidesWhetherKeysAreQueued) {
    inwindow([] {
        LogCapture log;
        viewKeyDown(2, {0, "a", Shift});
        EXPECT_EQ(log.lines(),
                  std::vector<std::string>{"viewKeyDown: Graphic window (2) not initialized."});
        EXPECT_EQ(keyeventcount(), 0);
        EXPECT_FALSE(modifierstate().shift);

        windowrecord(0).IgnoreEvents = true;
        viewKeyDown(0, {0, "a", Shift});
        EXPECT_EQ(keyeventcount(), 0);
        EXPECT_FALSE(modifierstate().shift); // not refreshed either
        EXPECT_TRUE(keyheld);

        windowrecord(0).IgnoreEvents = false;
        viewKeyDown(0, {0, "a", Shift});
        EXPECT_EQ(t_NextEvent(), 97);
        EXPECT_TRUE(modifierstate().shift);
        viewFlagsChanged(0, 0);
        EXPECT_FALSE(modifierstate().shift);
    });
}

TEST(KeyViews, ControlWithKeypadDigitsRedirectsOutput) {
    inwindow([] {
        t_KeyEventHandler(0, {91, "8", Control | Keypad});
        EXPECT_EQ(windowrecord(0).TextRedirectOutput, 2);
        t_KeyEventHandler(0, {89, "7", Control | Keypad});
        EXPECT_EQ(windowrecord(0).TextRedirectOutput, 0);
        t_KeyEventHandler(0, {92, "9", Control | Keypad});
        EXPECT_EQ(windowrecord(0).TextRedirectOutput, 1);
        EXPECT_EQ(keyeventcount(), 0);
        t_KeyEventHandler(0, {91, "8", Option | Keypad});
        EXPECT_EQ(t_NextEvent(), 230);
        EXPECT_EQ(windowrecord(0).TextRedirectOutput, 1);
    });
}

TEST(KeyViews, GetKeyReturnsTypedKeysInOrderWithTheCursorShownWhileWaiting) {
    inwindow([] {
        viewKeyDown(0, {0, "a", 0});
        viewKeyDown(0, {11, "b", 0});
        viewKeyDown(0, {14, "€", Option});
        EXPECT_EQ(t_GetKey(0), "a");
        EXPECT_EQ(t_GetKey(0), "b");
        EXPECT_EQ(t_GetKey(0), "\xC2\xA4"); // 164 as a character
        EXPECT_EQ(windowrecord(0).TextCursorLevel, 0);
    });
}

TEST(KeyViews, GetKeyShowsTheCursorOnlyWhileWaiting) {
    // F1 is typed only while the cursor is on; t_GetKey would wait for ever otherwise.
    const auto cursoron = [] { return windowrecord(0).TextCursorLevel == 1; };
    typedwhilerunning({{Qt::Key_F1, Qt::NoModifier, ""}}, cursoron, [] {
        EXPECT_EQ(t_GetKey(0), "\xC2\x81"); // F1 is 129
        EXPECT_EQ(windowrecord(0).TextCursorLevel, 0);
    });
}

// ---- Qt key events through a real view ---------------------------------------------------------

TEST(QtKeys, PositionDecidesTheKeyCodeOnAGermanKeyboard) {
    inwindow([] {
        typeinview(0, {Qt::Key_Z, Qt::NoModifier, "z", 21}); // German Z sits where US Y is
        typeinview(0, {Qt::Key_Y, Qt::NoModifier, "y", 44});
        typeinview(0, {Qt::Key_E, Qt::GroupSwitchModifier, "€", 18}); // AltGr-E
        typeinview(0, {Qt::Key_Dead_Acute, Qt::NoModifier, "", 13});
        typeinview(0, {Qt::Key_Dead_Grave, Qt::ShiftModifier, "", 13});
        typeinview(0, {Qt::Key_Dead_Circumflex, Qt::NoModifier, "", 41});
        typeinview(0, {Qt::Key_Less, Qt::NoModifier, "<", 86});
        typeinview(0, {Qt::Key_Odiaeresis, Qt::NoModifier, "ö", 39});
        const std::vector<t_Event> events = drainevents();
        EXPECT_EQ(codes(events), (Codes{{16, 'z'},
                                        {6, 'y'},
                                        {14, 164},
                                        {24, 180},
                                        {24, 96},
                                        {10, 94},
                                        {50, '<'},
                                        {41, 246}}));
        ASSERT_EQ(events.size(), 8u);
        EXPECT_TRUE(events[2].OptionPressed);
        EXPECT_EQ(events[2].Description, "€");
        EXPECT_EQ(events[3].Description, "");
    });
}

TEST(QtKeys, KeysWithoutScanCodeFallBackToTheQtKey) {
    inwindow([] {
        typeinview(0, {Qt::Key_Left, Qt::NoModifier, ""});
        typeinview(0, {Qt::Key_Backspace, Qt::NoModifier, "\b"});
        typeinview(0, {Qt::Key_Delete, Qt::NoModifier, "\x7f"});
        typeinview(0, {Qt::Key_F1, Qt::NoModifier, ""});
        typeinview(0, {Qt::Key_Backtab, Qt::ShiftModifier, "\t"});
        typeinview(0, {Qt::Key_A, Qt::ControlModifier, ""});
        typeinview(0, {Qt::Key_Enter, Qt::KeypadModifier, "\r"});
        typeinview(0, {Qt::Key_Return, Qt::NoModifier, "\r"});
        typeinview(0, {Qt::Key_P, Qt::NoModifier, "P", 0, 2}); // Caps Lock on
        const std::vector<t_Event> events = drainevents();
        EXPECT_EQ(codes(events), (Codes{{123, 8},
                                        {51, 127},
                                        {117, 7},
                                        {122, 129},
                                        {48, 20},
                                        {0, 1},
                                        {76, 13},
                                        {36, 13},
                                        {35, 'P'}}));
        ASSERT_EQ(events.size(), 9u);
        EXPECT_TRUE(events[0].CursorKeyPressed);
        EXPECT_EQ(events[1].Description, "\x7f");
        EXPECT_TRUE(events[3].FunctionKeyPressed);
        EXPECT_TRUE(events[5].ControlPressed);
        EXPECT_EQ(events[6].Description, "\x03");
        EXPECT_TRUE(events[6].NumericPadPressed);
        EXPECT_TRUE(events[8].CapsLockPressed);
        EXPECT_FALSE(events[7].CapsLockPressed);
    });
}

TEST(QtKeys, KeypadKeysCarryTheKeypadBitAndTheirDigitWithoutNumLock) {
    inwindow([] {
        typeinview(0, {Qt::Key_8, Qt::KeypadModifier | Qt::AltModifier, "8", 72});
        typeinview(0, {Qt::Key_Up, Qt::KeypadModifier, "", 72}); // Num Lock off
        typeinview(0, {Qt::Key_Delete, Qt::KeypadModifier, "\x7f", 83});
        typeinview(0, {Qt::Key_8, Qt::KeypadModifier | Qt::ControlModifier, "8", 72});
        typeinview(0, {Qt::Key_8, Qt::NoModifier, "8", 9}); // the 8 of the top row
        const std::vector<t_Event> events = drainevents();
        // Control with keypad 8 redirects the output instead of queuing.
        EXPECT_EQ(codes(events), (Codes{{91, 230}, {91, '8'}, {65, '.'}, {28, '8'}}));
        EXPECT_EQ(windowrecord(0).TextRedirectOutput, 2);
        ASSERT_EQ(events.size(), 4u);
        EXPECT_TRUE(events[0].NumericPadPressed);
        EXPECT_FALSE(events[1].CursorKeyPressed);
        EXPECT_FALSE(events[3].NumericPadPressed);
    });
}

TEST(QtKeys, ModifierKeysChangeOnlyTheModifierState) {
    inwindow([] {
        onmain([] { send(0, QEvent::KeyPress, {Qt::Key_Shift, Qt::NoModifier, "", 42}); });
        EXPECT_TRUE(modifierstate().shift);
        EXPECT_FALSE(keyheld);
        onmain([] { send(0, QEvent::KeyPress, {Qt::Key_AltGr, Qt::ShiftModifier, "", 100}); });
        EXPECT_TRUE(modifierstate().option);
        // Qt may report a modifier key's own event with the state before or after the change.
        onmain([] {
            send(0, QEvent::KeyRelease,
                 {Qt::Key_Shift, Qt::ShiftModifier | Qt::GroupSwitchModifier, "", 42});
        });
        EXPECT_FALSE(modifierstate().shift);
        EXPECT_TRUE(modifierstate().option);
        onmain([] { send(0, QEvent::KeyPress, {Qt::Key_CapsLock, Qt::NoModifier, "", 58}); });
        EXPECT_TRUE(modifierstate().capslock);
        EXPECT_EQ(keyeventcount(), 0);
    });
}

TEST(QtKeys, AutoRepeatedReleasesKeepTheKeyHeld) {
    inwindow([] {
        const QtKey a{Qt::Key_A, Qt::NoModifier, "a", 30};
        onmain([&] { send(0, QEvent::KeyPress, a); });
        EXPECT_TRUE(keyheld);
        onmain([&] { send(0, QEvent::KeyRelease, a, true); });
        EXPECT_TRUE(keyheld);
        onmain([&] { send(0, QEvent::KeyPress, a, true); });
        onmain([&] { send(0, QEvent::KeyRelease, a); });
        EXPECT_FALSE(keyheld);
        EXPECT_EQ(keyeventcount(), 2);
    });
}

TEST(QtKeys, KeysArriveOnTheMainThreadWhileTheProgramWaits) {
    const std::string text = "Hello 12345";
    std::vector<QtKey> keys;
    for (char c : text) {
        keys.push_back(
            {c == ' ' ? int(Qt::Key_Space) : std::toupper(c), Qt::NoModifier, QString(QChar(c))});
    }
    typedwhilerunning(
        keys, [] { return true; },
        [&] {
            std::string typed;
            for (size_t i = 0; i < text.size(); ++i) {
                typed += t_GetKey(0);
            }
            EXPECT_EQ(typed, text);
            EXPECT_FALSE(keyeventavailable());
        });
}
