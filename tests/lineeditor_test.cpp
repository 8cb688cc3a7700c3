#include "events/queues.h"
#include "tests/support/inputhelpers.h"

namespace {

constexpr int64_t Left = 8, Right = 21, Home = 2, End = 5, Return = 13, Escape = 27,
                  Backspace = 127, NumericEntry = 30, Copy = 12;
const std::string Esc = "\x1B", Gs = "\x1D";

// Queues keys as the key translation delivers them.
void press(std::initializer_list<int64_t> values) {
    for (int64_t value : values) {
        t_Event event;
        event.Kind = 1;
        event.Value = value;
        events::keyqueue().append(event);
    }
}

// Reads a line of at most 10 characters with no prompt from the keys queued first.
std::string typed(std::initializer_list<int64_t> keys, int64_t mode = 0) {
    press(keys);
    return t_InputForm(0, "", "", false, mode, 10);
}

std::string after(const Numbers& keys) {
    for (int64_t key : keys) {
        t_InputEdit(0, key);
    }
    return line();
}

std::string aftertext(const std::string& keys) {
    return after({keys.begin(), keys.end()});
}

using Cursor = std::pair<int64_t, int64_t>;
Cursor cursor() {
    return {window().TextHpos, window().TextVpos};
}

} // namespace

WINDOW_TEST(InputForm, DefaultTextIsCutEscapeReturnsEmptyAndDisplayOnlyReadsNoKeys) {
    press({Return});
    EXPECT_EQ(t_InputForm(0, "Name: ", "abcdefghijkl", false, 0, 10), "abcdefghij");
    EXPECT_EQ(cells(1, 1, 17), "Name: abcdefghij ");
    EXPECT_EQ(std::tuple(window().InputFinished, window().InputHpos, window().TextDisplayMode),
              std::tuple(true, 7, 0));
    EXPECT_EQ(cursor(), Cursor(1, 2));
    // With maximum 0 the line starts empty and accepts nothing.
    press({'x', 'y', Return});
    EXPECT_EQ(t_InputForm(0, "Go: ", "abc", false, 0, 0), "");
    EXPECT_EQ(cells(2, 1, 6), "Go:   ");
    // Escape returns empty text and moves to the next line; keys after it stay queued.
    t_Vtab(0, 5);
    press({'a', 'b', Escape, 'c', Return});
    EXPECT_EQ(t_InputForm(0, "? ", "", false, 0, 10), "");
    EXPECT_FALSE(window().InputFinished);
    EXPECT_EQ(cursor(), Cursor(1, 6));
    EXPECT_EQ(cells(5, 1, 5), "?    ");
    // Display only shows control characters visibly, reads none of those keys, ends no line.
    EXPECT_EQ(t_InputForm(0, "A\rB", "x", true, 0, 5), "x");
    EXPECT_EQ(cells(6, 1, 4), "AMBx");
    EXPECT_EQ(cursor(), Cursor(5, 6));
    EXPECT_EQ(t_InputForm(0, "", "hello", true, 0, 3), "hel");
    EXPECT_EQ(window().InputCursorPos, 3);
    EXPECT_EQ(events::keyqueue().count(), 2);
}

// Every key value on the line "ab cde fg" with the cursor after "ab cd" and the field's columns
// overwritten with "#" first: the line and cursor afterwards, the field's 11 columns and the keys
// it queues. Control-V inserts what Control-L (among the keys without a visible effect) copied;
// Control-^ reads the keys typed before it.
WINDOW_TEST(InputEdit, EveryKeyValueActsOnTheLineAndItsColumnsAndMovesStopAtTheEnds) {
    struct Row {
        Numbers keys;
        std::string typed, line, columns;
    };
    const std::string same = "ab cd|e fg", hashes = "###########", cleared = "         ##",
                      efg = "e fg#"; // apart, so that e is no hex digit of the code before it
    const Row rows[]{{{0}, "", same, "ab cde fg##"},
                     {{1, 2, 11, 18}, "", "|ab cde fg", hashes},
                     {{3, 5, 6, 10}, "", "ab cde fg|", hashes},
                     {{4}, "", "ab cde |fg", hashes},
                     {{7}, "", "ab cd| fg", "ab cd fg ##"},
                     {{8}, "", "ab c|de fg", hashes},
                     {{9, 12, 14, 15, 16, 17, 20, 23, 25, 28, 29, 31, -1}, "", same, hashes},
                     {{13}, "", same + " finished", hashes},
                     {{19}, "", "ab |cde fg", hashes},
                     {{21}, "", "ab cde| fg", hashes},
                     {{22}, "", "ab cdab cde fg|e fg", "ab cdab cde"},
                     {{24}, "", "|e fg", "e fg     ##"},
                     {{26, 27}, "", "|", cleared},
                     {{30}, "65!", "ab cdA|e fg", "ab cdAe fg#"},
                     {{32}, "", "ab cd |e fg", "ab cd e fg#"},
                     {{126}, "", "ab cd~|e fg", "ab cd~e fg#"},
                     {{127}, "", "ab c|e fg", "ab ce fg ##"},
                     {{128}, "", "ab cd\xC2\x80|e fg", "ab cd\x80" + efg},
                     {{255}, "", "ab cd\xC3\xBF|e fg", "ab cd\xFF" + efg},
                     {{256}, "", "ab cd\xC4\x80|e fg", "ab cd?e fg#"}};
    setpasteboard("");
    for (const Row& row : rows) {
        for (int64_t key : row.keys) {
            field("ab cde fg");
            windowrecord(0).InputCursorPos = 5;
            t_Htab(0, 3);
            t_Print(0, hashes);
            t_QueueString(row.typed);
            t_InputEdit(0, key);
            EXPECT_EQ(line() + (window().InputFinished ? " finished" : ""), row.line) << key;
            EXPECT_EQ(cells(1, 3, 11), row.columns) << key;
            EXPECT_FALSE(events::keyqueue().available()) << key;
        }
    }
    // Moves stop at both ends; every key first places the screen cursor at the input position.
    field("abc");
    EXPECT_EQ((Lines{after({Right}), after({Home, Backspace, Left}), after({End, 7}),
                     after({Home, Right, 31})}),
              (Lines{"abc|", "|abc", "abc|", "a|bc"}));
    EXPECT_EQ(window().TextHpos, 4);
    // Copy decodes escape forms and keeps unfinished ones; the line stays.
    const std::string escaped = "a" + Esc + "20AC" + Gs + "b" + Esc + "12";
    field(escaped);
    after({Copy});
    EXPECT_EQ(pasteboard(), "a€b" + Esc + "12");
    EXPECT_EQ(window().InputString, escaped);
}

WINDOW_TEST(InputModes, ModesFilterTheCharactersUpToTheirBoundaryCodesAndTheLineStaysShort) {
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
    windowrecord(0).TextLastColumn = 40;
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
    t_Vtab(0, 10);
    EXPECT_EQ(typed({NumericEntry, '7', Return, Return}, 1), "\x07");
    EXPECT_EQ(cells(10, 1, 1), "G"); // shown visibly
    // The first and last code of each mode's range: 32 (1 in mode 1) and 255.
    EXPECT_EQ(
        typed({30, '0', '3', '1', 30, '0', '3', '2', 30, '2', '5', '5', 30, '2', '5', '6', Return}),
        " \xC3\xBF");
    EXPECT_EQ(typed({30, '0', '0', '0', 30, '0', '0', '1', 30, '2', '5', '6', Return}, 1), "\x01");
    // The mode, the code given to t_InputInsert on an empty line and the code the line then
    // holds (0: refused) at the first and last code of each range, where the mode's rule changes.
    const int64_t inserts[][3]{{0, -1, 0},       {0, 0, 0},           {0, 1, 1},
                               {0, 31, 31},      {0, 32, 32},         {0, 126, 126},
                               {0, 127, 127},    {0, 128, 128},       {0, 255, 255},
                               {0, 256, 256},    {0, 0xD7FF, 0xD7FF}, {0, 0xD800, 0},
                               {0, 0xDFFF, 0},   {0, 0xE000, 0xE000}, {0, 0x10FFFF, 0x10FFFF},
                               {0, 0x110000, 0}, {1, 0, 0},           {1, 'x', 'x'},
                               {2, 'x', 0},      {2, '/', 0},         {2, '0', '0'},
                               {2, '9', '9'},    {2, ':', 0},         {2, '-', '-'},
                               {3, '/', 0},      {3, '0', '0'},       {3, '9', '9'},
                               {3, ':', 0},      {3, 'E', 'e'},       {3, 'D', 0},
                               {3, '.', ','},    {3, ',', ','},       {3, '-', '-'},
                               {4, '/', 0},      {4, '0', '0'},       {4, '9', '9'},
                               {4, ':', 0},      {4, '-', 0},         {4, 'x', 0},
                               {5, 'x', 'x'},    {5, 0, 0},           {-1, 'x', 'x'}};
    for (auto [mode, code, inserted] : inserts) {
        field("", mode);
        t_InputInsert(0, code);
        EXPECT_EQ(t_Asc(window().InputString), inserted) << mode << " " << code;
        EXPECT_EQ(window().InputCursorPos, inserted == 0 ? 0 : 1) << mode << " " << code;
    }
}
