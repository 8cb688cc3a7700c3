#include "display/videomemory.h"
#include "events/keyqueue.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/inputhelpers.h"
#include "tests/support/logcapture.h"
#include "tests/support/testfonts.h"
#include "tests/support/toolkit.h"
#include "text/textchecks.h"
#include "unicode/graphemes.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t Left = 8, Right = 21, Home = 2, End = 5, Return = 13, Escape = 27,
                  Backspace = 127, WordLeft = 19, WordRight = 4, NumericEntry = 30, Copy = 12,
                  Paste = 22;
const std::string Esc = "\x1B", Gs = "\x1D";

const display::t_Window& window() {
    return display::windowrecord(0);
}

// Queues keys as the key translation delivers them.
void press(std::initializer_list<int64_t> values) {
    for (int64_t value : values) {
        t_Event event;
        event.Kind = 1;
        event.Value = value;
        events::appendkeyevent(event);
    }
}

// Reads a line of at most 10 characters with no prompt from the keys queued first.
std::string typed(std::initializer_list<int64_t> keys, int64_t mode = 0) {
    press(keys);
    return t_InputForm(0, "", "", false, mode, 10);
}

// A line ready for editing at the start of line 1 without reading keys.
void field(const std::string& text, int64_t mode = 0, int64_t maximum = 40) {
    t_CursorHome(0);
    t_InputForm(0, "> ", text, true, mode, maximum);
}

// The line being edited with a bar at the cursor.
std::string line() {
    const std::string& text = window().InputString;
    const int64_t p = window().InputCursorPos;
    if (p < 0 || p > unicode::graphemecount(text)) {
        return "cursor outside the line: " + std::to_string(p);
    }
    return t_Left(text, p) + "|" + t_MidFrom(text, p + 1);
}

std::string after(const std::vector<int64_t>& keys) {
    for (int64_t key : keys) {
        t_InputEdit(0, key);
    }
    return line();
}

std::string aftertext(const std::string& keys) {
    return after({keys.begin(), keys.end()});
}

// count characters of the text block from column `from` of `line`.
std::string cells(int64_t line, int64_t from, int64_t count) {
    const display::t_Window& w = window();
    std::string text;
    for (int64_t x = from; x < from + count; ++x) {
        text += static_cast<char>(
            display::videomemory()[w.TextMemoryStart + text::cellindex(w, x, line)]);
    }
    return text;
}

std::vector<int64_t> drainqueue() {
    std::vector<int64_t> values;
    for (int64_t v; (v = t_NextEvent()) >= 0;) {
        values.push_back(v);
    }
    return values;
}

} // namespace

WINDOW_TEST(InputForm, DefaultTextIsCutToTheMaximumAndEscapeReturnsEmpty) {
    press({Return});
    EXPECT_EQ(t_InputForm(0, "Name: ", "abcdefghijkl", false, 0, 10), "abcdefghij");
    EXPECT_EQ(cells(1, 1, 17), "Name: abcdefghij ");
    EXPECT_TRUE(window().InputFinished);
    EXPECT_EQ(window().InputHpos, 7);
    EXPECT_EQ(window().TextVpos, 2);
    EXPECT_EQ(window().TextHpos, 1);
    EXPECT_EQ(window().TextDisplayMode, 0);
    // With maximum 0 the line starts empty and accepts nothing.
    press({'x', 'y', Return});
    EXPECT_EQ(t_InputForm(0, "Go: ", "abc", false, 0, 0), "");
    EXPECT_EQ(cells(2, 1, 6), "Go:   ");
    // Escape returns empty text and moves to the next line; keys after it stay queued.
    t_Vtab(0, 5);
    press({'a', 'b', Escape, 'c', Return});
    EXPECT_EQ(t_InputForm(0, "? ", "", false, 0, 10), "");
    EXPECT_FALSE(window().InputFinished);
    EXPECT_EQ(window().TextVpos, 6);
    EXPECT_EQ(window().TextHpos, 1);
    EXPECT_EQ(cells(5, 1, 5), "?    ");
    EXPECT_EQ(events::keyeventcount(), 2);
}

WINDOW_TEST(InputForm, DisplayOnlyShowsControlCharactersAndReadsNoKeys) {
    press({'q'});
    EXPECT_EQ(t_InputForm(0, "A\rB", "x", true, 0, 5), "x");
    EXPECT_EQ(cells(1, 1, 4), "AMBx");
    EXPECT_EQ(window().TextVpos, 1); // no line end
    EXPECT_EQ(window().TextHpos, 5);
    EXPECT_EQ(t_InputForm(0, "", "hello", true, 0, 3), "hel");
    EXPECT_EQ(window().InputCursorPos, 3);
    EXPECT_EQ(events::keyeventcount(), 1);
}

TEST(InputForm, ReadsADateTypedIntoTheView) {
    const auto body = [] {
        EXPECT_EQ(t_InputForm(0, "Geburtsdatum   : ", "", false, 0, 10), "05.12.1985");
        EXPECT_EQ(cells(1, 18, 10), "05.12.1985");
        EXPECT_EQ(window().TextCursorLevel, 0);
    };
    inwindow(body, keysfortext("05.12.1985\r"));
}

WINDOW_TEST(InputEdit, KeysEditTheLineAndRewriteItsColumns) {
    field("");
    EXPECT_EQ(after({'a', 'b', 'c', Left, Left, 'X'}), "aX|bc");
    EXPECT_EQ(cells(1, 3, 4), "aXbc");
    EXPECT_EQ(after({Backspace}), "a|bc");
    EXPECT_EQ(cells(1, 3, 4), "abc ");
    // Moves stop at both ends; Backspace at the start does nothing.
    field("abc");
    EXPECT_EQ(after({Right}), "abc|");
    EXPECT_EQ(after({Home, Backspace, Left}), "|abc");
    EXPECT_EQ(after({End}), "abc|");
    EXPECT_EQ(after({31}), "abc|"); // places the screen cursor
    EXPECT_EQ(window().TextHpos, 6);
    field("ab cd ef");
    EXPECT_EQ(after({WordLeft}), "ab cd |ef");
    EXPECT_EQ(after({WordLeft}), "ab |cd ef");
    EXPECT_EQ(after({1, WordRight}), "ab |cd ef");
    EXPECT_EQ(after({WordRight}), "ab cd |ef");
    field("abc");
    EXPECT_EQ(after({Home, Right, 7}), "a|c"); // Forward Delete
    EXPECT_EQ(cells(1, 3, 3), "ac ");
    EXPECT_EQ(after({End, 7}), "ac|");
    // Control-X cuts to the start and rewrites exactly the old columns; Control-Z clears.
    field("12345");
    t_Print(0, std::string("Q"));
    EXPECT_EQ(after({Home, Right, Right, 24}), "|345");
    EXPECT_EQ(cells(1, 3, 6), "345  Q");
    field("abcd");
    EXPECT_EQ(after({Left, 26}), "|");
    EXPECT_EQ(cells(1, 1, 7), ">      ");
    // A dead key redraws the line; keys without a meaning are ignored; a function key and ä are
    // characters.
    field("abc");
    t_PrintSymbol(0, 'Z', window().TextColor, 4, 1);
    EXPECT_EQ(after({0}), "abc|");
    EXPECT_EQ(cells(1, 3, 3), "abc");
    EXPECT_EQ(after({9, 14, 20, 23, 25, 28, 29, -5}), "abc|");
    EXPECT_EQ(after({129, 228}), "abc\xC2\x81\xC3\xA4|");
}

WINDOW_TEST(InputModes, ModesFilterTheCharactersAndTheLineStaysShort) {
    field("", 3);
    EXPECT_EQ(aftertext("1.5E-3.-e"), "1,5e-3|");
    EXPECT_EQ(after({Home}), "|1,5e-3");
    EXPECT_EQ(aftertext("-x"), "-|1,5e-3");
    field("", 2);
    EXPECT_EQ(aftertext("-5-a"), "-5|");
    field("", 4);
    EXPECT_EQ(aftertext("-5-3-"), "5-3|");
    field("", 0);
    t_InputInsert(0, 0);
    EXPECT_EQ(line(), "|");
    // The line never reaches the last column of the text area, nor the maximum length.
    display::windowrecord(0).TextLastColumn = 40;
    t_Htab(0, 30);
    t_InputForm(0, "", "", true, 0, 50);
    EXPECT_EQ(window().InputHpos, 30);
    EXPECT_EQ(aftertext("abcdefghijklmno"), "abcdefghij|");
    EXPECT_EQ(cells(1, 30, 11), "abcdefghij ");
    field("", 0, 3);
    EXPECT_EQ(aftertext("abcd"), "abc|");
    // Control-^ and up to three digits insert the code typed.
    EXPECT_EQ(typed({NumericEntry, '2', '4', '1', Return}), "\xC3\xB1"); // ñ
    // The Return that ends the number is consumed.
    EXPECT_EQ(typed({NumericEntry, '6', '5', Return, 'B', Return}), "AB");
    EXPECT_EQ(typed({NumericEntry, 'x', 'y', Return}), "y");
    // Codes below 32 only in mode 1, and only valid ones.
    EXPECT_EQ(typed({NumericEntry, '7', Return, Return}), "");
    EXPECT_EQ(typed({NumericEntry, '9', '9', '9', Return}, 1), "");
    t_Vtab(0, 10);
    EXPECT_EQ(typed({NumericEntry, '7', Return, Return}, 1), "\x07");
    EXPECT_EQ(cells(10, 1, 1), "G"); // shown visibly
}

WINDOW_TEST(InputPasteboard, PasteQueuesTheFirstLineEscapedAndCopyDecodesIt) {
    setpasteboard("ab\ncd");
    field("x");
    after({Paste});
    for (int64_t key : drainqueue()) {
        t_InputEdit(0, key);
    }
    EXPECT_EQ(line(), "xab|");
    setpasteboard("x€");
    after({Paste});
    EXPECT_EQ(drainqueue(), (std::vector<int64_t>{'x', 27, '2', '0', 'A', 'C', 29}));
    setpasteboard("");
    after({Paste});
    EXPECT_FALSE(events::keyeventavailable());
    // Copy decodes escape forms and keeps unfinished ones; the line stays.
    const std::pair<std::string, std::string> lines[] = {
        {"a" + Esc + "20AC" + Gs + "b", "a€b"},
        {"ab" + Esc + "12", "ab" + Esc + "12"},
        {Esc + Gs + "c" + Esc, Esc + Gs + "c" + Esc}};
    for (const auto& [text, copied] : lines) {
        field(text);
        after({Copy});
        EXPECT_EQ(pasteboard(), copied);
        EXPECT_EQ(window().InputString, text);
    }
}

TEST(InputFailures, WrongOrUnreadyWindowsAreReported) {
    setuptoolkit();
    ASSERT_TRUE(runprogram([] {
        LogCapture log;
        EXPECT_EQ(t_InputForm(0, "", "x", true, 0, 5), "");
        EXPECT_EQ(log.lines(), Lines{"t_InputForm: Window #0 not initialized."});
        t_InitWindow(0, 24, true, 1280, 800, 16, 16, makegreyfont(16, 32), true);
        log.clear();
        EXPECT_EQ(t_InputForm(8, "", "x", true, 0, 5), "");
        EXPECT_EQ(t_InputForm(3, "", "x", true, 0, 5), "");
        t_InputEdit(9, 'a');
        t_InputEdit(2, 'a');
        t_InputInsert(12, 'a');
        t_InputInsert(1, 'a');
        EXPECT_EQ(log.lines(), (Lines{"t_InputForm: Window is not a graphic window.",
                                      "t_InputForm: Window #3 not initialized.",
                                      "t_InputEdit: Window is not a graphic window.",
                                      "t_InputEdit: Window #2 not initialized.",
                                      "t_InputInsert: Window is not a graphic window.",
                                      "t_InputInsert: Window #1 not initialized."}));
    }));
}
