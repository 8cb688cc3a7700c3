#include "core/bridge.h"
#include "display/initwindow.h"
#include "display/videomemory.h"
#include "input/keyqueue.h"
#include "input/lineeditor.h"
#include "input/strings.h"
#include "tests/support/logcapture.h"
#include "tests/support/testfonts.h"
#include "tests/support/toolkit.h"
#include "text/cursor.h"
#include "text/print.h"
#include "text/printsymbol.h"
#include "text/textchecks.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr int64_t Left = 8, Right = 21, Home = 2, Return = 13, Escape = 27, Backspace = 127;

void inwindow(const std::function<void()>& body) {
    setuptoolkit();
    ASSERT_TRUE(runprogram([&] {
        t_InitWindow(0, 24, true, 1280, 800, 16, 16, makegreyfont(16, 32), true);
        body();
    }));
}

// Queues keys as the key translation delivers them.
void press(std::initializer_list<int64_t> values) {
    for (int64_t value : values) {
        t_Event event;
        event.Kind = 1;
        event.Value = value;
        appendkeyevent(event);
    }
}

void edit(std::initializer_list<int64_t> keys) {
    for (int64_t key : keys) {
        t_InputEdit(0, key);
    }
}

void edittext(const std::string& keys) {
    for (char key : keys) {
        t_InputEdit(0, static_cast<uint8_t>(key));
    }
}

// A line ready for editing at the start of line 1 without reading keys.
void field(const std::string& text, int64_t mode = 0, int64_t maximum = 40) {
    t_InputForm(0, "> ", text, true, mode, maximum);
}

// count characters of the text block from column `from` of `line`.
std::string cells(int64_t line, int64_t from, int64_t count) {
    const t_Window& w = windowrecord(0);
    std::string text;
    for (int64_t x = from; x < from + count; ++x) {
        text += static_cast<char>(videomemory()[w.TextMemoryStart + cellindex(w, x, line)]);
    }
    return text;
}

const t_Window& window() {
    return windowrecord(0);
}

std::string pasteboard() {
    return onmain([] { return platform::pasteboardstring(); });
}

void setpasteboard(const std::string& text) {
    onmain([&] { platform::pasteboardsetstring(text); });
}

std::vector<int64_t> drainqueue() {
    std::vector<int64_t> values;
    for (int64_t v; (v = t_NextEvent()) >= 0;) {
        values.push_back(v);
    }
    return values;
}

} // namespace

// ---- t_InputForm -------------------------------------------------------------------------------

TEST(InputForm, DefaultTextIsCutToTheMaximumAndReturnedOnReturn) {
    inwindow([] {
        press({Return});
        EXPECT_EQ(t_InputForm(0, "Name: ", "abcdefghijkl", false, 0, 10), "abcdefghij");
        EXPECT_EQ(cells(1, 1, 17), "Name: abcdefghij ");
        EXPECT_TRUE(window().InputFinished);
        EXPECT_EQ(window().InputHpos, 7);
        EXPECT_EQ(window().TextVpos, 2);
        EXPECT_EQ(window().TextHpos, 1);
        EXPECT_EQ(window().TextDisplayMode, 0);
    });
}

TEST(InputForm, MaximumZeroStartsEmptyAndAcceptsNothing) {
    inwindow([] {
        press({'x', 'y', Return});
        EXPECT_EQ(t_InputForm(0, "Go: ", "abc", false, 0, 0), "");
        EXPECT_EQ(cells(1, 1, 6), "Go:   ");
    });
}

TEST(InputForm, PromptShowsControlCharactersInsteadOfExecutingThem) {
    inwindow([] {
        EXPECT_EQ(t_InputForm(0, "A\rB", "x", true, 0, 5), "x");
        EXPECT_EQ(cells(1, 1, 4), "AMBx");
        EXPECT_EQ(window().TextVpos, 1); // display only: no line end
        EXPECT_EQ(window().TextHpos, 5);
    });
}

TEST(InputForm, DisplayOnlyReadsNoKeys) {
    inwindow([] {
        press({'q'});
        EXPECT_EQ(t_InputForm(0, "", "hello", true, 0, 3), "hel");
        EXPECT_EQ(keyeventcount(), 1);
        EXPECT_EQ(window().InputCursorPos, 3);
    });
}

TEST(InputForm, EscapeReturnsEmptyAndMovesToTheNextLine) {
    inwindow([] {
        t_Vtab(0, 5);
        press({'a', 'b', Escape, 'c', Return});
        EXPECT_EQ(t_InputForm(0, "? ", "", false, 0, 10), "");
        EXPECT_FALSE(window().InputFinished);
        EXPECT_EQ(window().TextVpos, 6);
        EXPECT_EQ(window().TextHpos, 1);
        EXPECT_EQ(cells(5, 1, 5), "?    ");
        EXPECT_EQ(keyeventcount(), 2); // keys after the Escape stay queued
    });
}

TEST(InputForm, ReadsADateTypedIntoTheView) {
    setuptoolkit();
    // A timer on the main thread types into view 0 once the window exists, as the window
    // system's keys arrive there while the program waits.
    std::atomic<bool> windowopen{false};
    const std::string keys = "05.12.1985\r";
    size_t next = 0;
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&] {
        if (!windowopen || next == keys.size()) {
            return;
        }
        const char c = keys[next++];
        const int key = c == '.' ? int(Qt::Key_Period) : c == '\r' ? int(Qt::Key_Return) : int(c);
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(c)));
        QCoreApplication::sendEvent(reinterpret_cast<QWidget*>(window().View.load()), &down);
    });
    typist.start(3);
    ASSERT_TRUE(runprogram([&] {
        t_InitWindow(0, 24, true, 1280, 800, 16, 16, makegreyfont(16, 32), true);
        windowopen = true;
        EXPECT_EQ(t_InputForm(0, "Geburtsdatum   : ", "", false, 0, 10), "05.12.1985");
        EXPECT_EQ(cells(1, 18, 10), "05.12.1985");
        EXPECT_EQ(window().TextCursorLevel, 0);
    }));
}

// ---- Editing keys ------------------------------------------------------------------------------

TEST(InputEdit, InsertsAtTheCursorAndBackspaceRemovesLeftOfIt) {
    inwindow([] {
        field("");
        edit({'a', 'b', 'c', Left, Left, 'X'});
        EXPECT_EQ(window().InputString, "aXbc");
        EXPECT_EQ(window().InputCursorPos, 2);
        EXPECT_EQ(cells(1, 3, 4), "aXbc");
        edit({Backspace});
        EXPECT_EQ(window().InputString, "abc");
        EXPECT_EQ(window().InputCursorPos, 1);
        EXPECT_EQ(cells(1, 3, 4), "abc ");
    });
}

TEST(InputEdit, MovesStopAtBothEndsAndBackspaceAtTheStartDoesNothing) {
    inwindow([] {
        field("abc");
        edit({Right});
        EXPECT_EQ(window().InputCursorPos, 3);
        edit({Home, Backspace, Left});
        EXPECT_EQ(window().InputString, "abc");
        EXPECT_EQ(window().InputCursorPos, 0);
        edit({5}); // End
        EXPECT_EQ(window().InputCursorPos, 3);
        edit({31});
        EXPECT_EQ(window().TextHpos, 6);
    });
}

TEST(InputEdit, WordMovesStopAtSpaces) {
    inwindow([] {
        field("ab cd ef");
        edit({19});
        EXPECT_EQ(window().InputCursorPos, 6);
        edit({19});
        EXPECT_EQ(window().InputCursorPos, 3);
        edit({1, 4});
        EXPECT_EQ(window().InputCursorPos, 3);
        edit({4});
        EXPECT_EQ(window().InputCursorPos, 6);
    });
}

TEST(InputEdit, ForwardDeleteRemovesRightOfTheCursor) {
    inwindow([] {
        field("abc");
        edit({Home, Right, 7});
        EXPECT_EQ(window().InputString, "ac");
        EXPECT_EQ(window().InputCursorPos, 1);
        EXPECT_EQ(cells(1, 3, 3), "ac ");
        edit({5, 7});
        EXPECT_EQ(window().InputString, "ac");
    });
}

TEST(InputEdit, ControlXCutsToTheStartAndRewritesTheOldColumns) {
    inwindow([] {
        field("12345");
        t_Print(0, std::string("Q"));
        edit({Home, Right, Right, 24});
        EXPECT_EQ(window().InputString, "345");
        EXPECT_EQ(window().InputCursorPos, 0);
        EXPECT_EQ(cells(1, 3, 6), "345  Q");
    });
}

TEST(InputEdit, ControlZClearsTheLine) {
    inwindow([] {
        field("abcd");
        edit({Left, 26});
        EXPECT_EQ(window().InputString, "");
        EXPECT_EQ(window().InputCursorPos, 0);
        EXPECT_EQ(cells(1, 1, 7), ">      ");
    });
}

TEST(InputEdit, ADeadKeyRedrawsTheLine) {
    inwindow([] {
        field("abc");
        t_PrintSymbol(0, 'Z', window().TextColor, 4, 1);
        edit({0});
        EXPECT_EQ(cells(1, 3, 3), "abc");
        EXPECT_EQ(window().InputString, "abc");
    });
}

TEST(InputEdit, KeysWithoutMeaningAreIgnored) {
    inwindow([] {
        field("ab");
        edit({9, 14, 20, 23, 25, 28, 29, -5});
        EXPECT_EQ(window().InputString, "ab");
        EXPECT_EQ(window().InputCursorPos, 2);
        edit({129, 228}); // function key and ä are characters
        EXPECT_EQ(window().InputString, "ab\xC2\x81\xC3\xA4");
        EXPECT_EQ(window().InputCursorPos, 4);
    });
}

// ---- Input modes and limits ------------------------------------------------------------------

TEST(InputModes, DecimalModeAcceptsOneCommaOneExponentAndSignsWhereTheyFit) {
    inwindow([] {
        field("", 3);
        edittext("1.5E-3.-e");
        EXPECT_EQ(window().InputString, "1,5e-3");
        edit({Home});
        edittext("-x");
        EXPECT_EQ(window().InputString, "-1,5e-3");
    });
}

TEST(InputModes, MinusSignRulesOfModesTwoAndFour) {
    inwindow([] {
        field("", 2);
        edittext("-5-a");
        EXPECT_EQ(window().InputString, "-5");
        field("", 4);
        edittext("-5-3-");
        EXPECT_EQ(window().InputString, "5-3");
        field("", 0);
        t_InputInsert(0, 0);
        EXPECT_EQ(window().InputString, "");
    });
}

TEST(InputModes, LineNeverReachesTheLastColumn) {
    inwindow([] {
        windowrecord(0).TextLastColumn = 40;
        t_Htab(0, 30);
        t_InputForm(0, "", "", true, 0, 50);
        EXPECT_EQ(window().InputHpos, 30);
        edittext("abcdefghijklmno");
        EXPECT_EQ(window().InputString, "abcdefghij");
        EXPECT_EQ(cells(1, 30, 11), "abcdefghij ");
        field("", 0, 3);
        edittext("abcd");
        EXPECT_EQ(window().InputString, "abc");
    });
}

TEST(InputModes, NumericEntryInsertsTheTypedCode) {
    inwindow([] {
        press({30, '2', '4', '1', Return});
        EXPECT_EQ(t_InputForm(0, "", "", false, 0, 10), "\xC3\xB1"); // ñ
        press({30, '6', '5', Return, 'B', Return});
        EXPECT_EQ(t_InputForm(0, "", "", false, 0, 10), "AB"); // the first Return was consumed
        press({30, 'x', 'y', Return});
        EXPECT_EQ(t_InputForm(0, "", "", false, 0, 10), "y");
        press({30, '7', Return, Return});
        EXPECT_EQ(t_InputForm(0, "", "", false, 0, 10), ""); // below 32 outside mode 1
        press({30, '9', '9', '9', Return});
        EXPECT_EQ(t_InputForm(0, "", "", false, 1, 10), "");
        press({30, '7', Return, Return});
        t_Vtab(0, 10);
        EXPECT_EQ(t_InputForm(0, "", "", false, 1, 10), "\x07");
        EXPECT_EQ(cells(10, 1, 1), "G"); // shown visibly
    });
}

// ---- Pasteboard ---------------------------------------------------------------------------------

TEST(InputPasteboard, PasteInsertsOnlyTheFirstLine) {
    inwindow([] {
        setpasteboard("ab\ncd");
        field("x");
        edit({22});
        for (int64_t key : drainqueue()) {
            t_InputEdit(0, key);
        }
        EXPECT_EQ(window().InputString, "xab");
    });
}

TEST(InputPasteboard, PasteQueuesWideCharactersInTheirEscapeForm) {
    inwindow([] {
        setpasteboard("x€");
        field("");
        edit({22});
        EXPECT_EQ(drainqueue(), (std::vector<int64_t>{'x', 27, '2', '0', 'A', 'C', 29}));
        setpasteboard("");
        edit({22});
        EXPECT_FALSE(keyeventavailable());
    });
}

TEST(InputPasteboard, CopyDecodesEscapeFormsAndLeavesTheLine) {
    inwindow([] {
        const std::string line = "a\x1B"
                                 "20AC\x1D"
                                 "b";
        field(line);
        edit({12});
        EXPECT_EQ(pasteboard(), "a€b");
        EXPECT_EQ(window().InputString, line);
    });
}

TEST(InputPasteboard, CopyOfUnfinishedEscapeFormsEndsAndKeepsThem) {
    inwindow([] {
        const std::string open = "ab\x1B"
                                 "12";
        field(open);
        edit({12});
        EXPECT_EQ(pasteboard(), open);
        const std::string empty = "\x1B\x1D"
                                  "c\x1B";
        field(empty);
        edit({12});
        EXPECT_EQ(pasteboard(), empty);
    });
}

// ---- Failures -----------------------------------------------------------------------------------

TEST(InputFailures, WrongOrUnreadyWindowsAreReported) {
    setuptoolkit();
    ASSERT_TRUE(runprogram([] {
        LogCapture log;
        EXPECT_EQ(t_InputForm(0, "", "x", true, 0, 5), "");
        EXPECT_EQ(log.lines(), std::vector<std::string>{"t_InputForm: Window #0 not initialized."});
        t_InitWindow(0, 24, true, 1280, 800, 16, 16, makegreyfont(16, 32), true);
        log.clear();
        EXPECT_EQ(t_InputForm(8, "", "x", true, 0, 5), "");
        EXPECT_EQ(t_InputForm(3, "", "x", true, 0, 5), "");
        t_InputEdit(9, 'a');
        t_InputEdit(2, 'a');
        t_InputInsert(12, 'a');
        t_InputInsert(1, 'a');
        EXPECT_EQ(log.lines(), (std::vector<std::string>{
                                   "t_InputForm: Window is not a graphic window.",
                                   "t_InputForm: Window #3 not initialized.",
                                   "t_InputEdit: Window is not a graphic window.",
                                   "t_InputEdit: Window #2 not initialized.",
                                   "t_InputInsert: Window is not a graphic window.",
                                   "t_InputInsert: Window #1 not initialized.",
                               }));
    }));
}
