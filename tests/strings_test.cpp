#include "base/numbertext.h"
#include "tests/support/testing.h"
#include "unicode/graphemes.h"
#include "unicode/strings.h"

#include <climits>

namespace {

// Narrow literals are UTF-8; bytes that would run into a following hex digit come from constants.
const std::string Bad = "\xFF";
const std::string Esc = "\x1B";
const std::string Gs = "\x1D";
const std::string Nul(1, '\0');
const std::string Decomposed = "cafe\u0301";                             // 4 characters
const std::string Family = "\U0001F468\u200D\U0001F469\u200D\U0001F467"; // 1 character
const std::string ThumbsUp = "\U0001F44D\U0001F3FD";                     // with skin tone
const std::string Flags = "\U0001F1E9\U0001F1EA\U0001F1EB\U0001F1F7";    // DE FR
using Texts = std::vector<std::string>;
const std::string Mixed = "a" + Family + "e\u0301" + ThumbsUp + "\r\n" + Bad + "z";

TEST(Graphemes, CountsUserPerceivedCharactersAndPiecesJoinToTheOriginalBytes) {
    const std::string hangul = "\u1100\u1161\u11A8"; // jamo L V T
    EXPECT_EQ((std::vector{unicode::graphemecount(""), unicode::graphemecount(Decomposed),
                           unicode::graphemecount(Family + ThumbsUp), unicode::graphemecount(Flags),
                           unicode::graphemecount(hangul), unicode::graphemecount(Mixed)}),
              (Numbers{0, 4, 2, 2, 1, 7}));
    // Every byte that is not UTF-8 is a character of its own.
    EXPECT_EQ(unicode::graphemecount("a" + Bad + "b"), 3);
    EXPECT_EQ(unicode::graphemecount("\xE2\x82"), 2);         // truncated euro sign
    EXPECT_EQ(unicode::graphemecount("\xC0\xAF"), 2);         // overlong "/"
    EXPECT_EQ(unicode::graphemecount("\xED\xA0\x80"), 3);     // encoded surrogate
    EXPECT_EQ(unicode::graphemecount("\xF4\x90\x80\x80"), 4); // above U+10FFFF
    EXPECT_EQ(unicode::graphemecount("\x80\x80"), 2);         // stray continuation bytes
    EXPECT_EQ(unicode::graphemecount(Bad + "\u0301"), 2);     // a mark does not join a bad byte
    EXPECT_EQ(unicode::graphemecount("\u0600" + Bad), 2);     // nor does a prepended mark before it
    EXPECT_EQ(unicode::graphemecount("a" + Nul + "b"), 3);    // NUL is an ordinary character
    EXPECT_EQ(t_CharAt("a" + Bad + "b", 2), Bad);
    EXPECT_EQ(t_Asc(Bad), 0xFFFD);
    EXPECT_EQ(t_Asc("\xE2\x82"), 0xFFFD);
    // Pieces join to the original bytes at every position.
    const std::string characters[] = {"a", Family, "e\u0301", ThumbsUp, "\r\n", Bad, "z"};
    for (int64_t i = -2; i <= 9; ++i) {
        const std::string at = i >= 1 && i <= 7 ? characters[i - 1] : "";
        EXPECT_EQ(t_Left(Mixed, i - 1) + t_MidFrom(Mixed, i), Mixed) << i;
        EXPECT_EQ(t_CharAt(Mixed, i), at) << i;
        EXPECT_EQ(t_Mid(Mixed, i, 1), i < 1 ? "a" : at) << i;
    }
}

TEST(Strings, PositionsMidInstrSpacesAndFirstLine) {
    for (int64_t i : {INT64_MIN, int64_t{-1}, int64_t{0}, int64_t{5}, INT64_MAX}) {
        EXPECT_EQ(t_CharAt(Decomposed, i), "") << i;
    }
    for (int64_t i : {INT64_MIN, int64_t{0}, int64_t{1}}) {
        EXPECT_EQ(t_MidFrom(Decomposed, i), Decomposed) << i;
        EXPECT_EQ(t_Left(Decomposed, i), i < 1 ? "" : "c") << i;
    }
    EXPECT_EQ(t_MidFrom(Decomposed, 5), "");
    EXPECT_EQ(t_Left(Decomposed, INT64_MAX), Decomposed);
    EXPECT_EQ(t_CharAt("", 1) + t_Left("", 3) + t_MidFrom("", 2) + t_Mid("", 1, 1), "");
    EXPECT_EQ((Texts{t_CharAt(Decomposed, 4), t_CharAt("x" + Family + "y", 2), t_CharAt(Flags, 2),
                     t_MidFrom(Decomposed, 4), t_Left(Decomposed, 3), t_Left(ThumbsUp + "!", 1)}),
              (Texts{"e\u0301", Family, "\U0001F1EB\U0001F1F7", "e\u0301", "caf", ThumbsUp}));
    // A start below 2 is t_Left, not shifted.
    const std::tuple<int64_t, int64_t, const char*> mids[]{
        {2, 3, "bcd"}, {0, 2, "ab"},       {-7, 2, "ab"}, {5, 10, "ef"},
        {7, 1, ""},    {INT64_MAX, 1, ""}, {2, 0, ""}};
    for (auto [start, count, mid] : mids) {
        EXPECT_EQ(t_Mid("abcdef", start, count), mid) << start << " " << count;
    }
    EXPECT_EQ(t_Mid(Family + "e\u0301" + ThumbsUp + "z", 2, 2), "e\u0301" + ThumbsUp);
    // Instr counts whole composed characters from the start of the whole string.
    const std::tuple<const char*, int64_t, int64_t> hello[]{
        {"o", 1, 5},         {"o", 6, 8},  {"o", 9, 0}, {"o", 0, 5},
        {"o", INT64_MIN, 5}, {"d", 12, 0}, {"O", 1, 0}};
    for (auto [sought, start, at] : hello) {
        EXPECT_EQ(t_Instr("hello world", sought, start), at) << sought << " " << start;
    }
    // The skin tone belongs to its character, and the halves of two flags to theirs.
    EXPECT_EQ(
        (Numbers{t_Instr("hello", "", 1), t_Instr("ab", "abc", 1), t_Instr("aab", "ab", 1),
                 t_Instr(Family + ThumbsUp + "x" + Family, Family, 2),
                 t_Instr("a" + Bad + "b" + Bad, Bad, 3), t_Instr(Decomposed, "\u00E9", 1),
                 t_Instr("caf\u00E9s", "e\u0301s", 1), t_Instr(Decomposed, "e", 1),
                 t_Instr(ThumbsUp, "\U0001F44D", 1), t_Instr(Flags, "\U0001F1EA\U0001F1EB", 1)}),
        (Numbers{0, 0, 2, 4, 4, 4, 4, 0, 0, 0}));
    EXPECT_EQ((Texts{t_Spaces(0), t_Spaces(3), t_Spaces(32767), t_Spaces(32768)}),
              (Texts{"", "   ", std::string(32767, ' '), ""}));
    // A CR anywhere wins over an earlier LF.
    EXPECT_EQ((Texts{t_FirstLine("ab\rcd\ne"), t_FirstLine("ab\ncd\re"), t_FirstLine("ab\ncd"),
                     t_FirstLine("\rab"), t_FirstLine("abc")}),
              (Texts{"ab", "ab\ncd", "ab", "", "abc"}));
}

// Asc takes the composed first character; codes that are no scalar value give 0 or U+0000.
TEST(Strings, AscLowerCodeScalarTextAndHexDigits) {
    // The Angstrom sign is canonically A with ring.
    const std::pair<std::string, int64_t> ascs[]{
        {"", 0},           {"Abc", 65},     {"\u20AC", 0x20AC},
        {"e\u0301x", 233}, {"\u212B", 197}, {ThumbsUp, 0x1F44D},
        {Family, 0x1F468}, {"\r\n", 13},    {Nul, 0}};
    for (const auto& [text, code] : ascs) {
        EXPECT_EQ(t_Asc(text), code) << text;
    }
    const std::pair<int64_t, int64_t> lowers[]{
        {'A', 'a'},     {'1', '1'}, {196, 228},  {0x3A3, 0x3C3}, {0x1E9E, 0xDF},
        {INT64_MIN, 0}, {-1, 0},    {0xD800, 0}, {0x110000, 0},  {INT64_MAX, 0}};
    for (auto [code, lower] : lowers) {
        EXPECT_EQ(t_LowerCode(code), lower) << code;
    }
    EXPECT_EQ(unicode::scalartext(241), "\u00F1");
    EXPECT_EQ(unicode::scalartext(0x1F600), "\U0001F600");
    for (int64_t bad : {int64_t{-1}, int64_t{0xDFFF}, int64_t{0x110000}, INT64_MAX}) {
        EXPECT_EQ(unicode::scalartext(bad), Nul) << bad;
    }
    EXPECT_EQ((Texts{base::hexdigits4(0xABC), base::hexdigits4(0x1F600), base::hexdigits4(-1)}),
              (Texts{"0ABC", "F600", "FFFF"}));
}

TEST(PasteboardText, CopyDecodesEscapeForms) {
    const std::string line = "x\u20AC\u00E4\u220F" + Esc + "z";
    EXPECT_EQ(unicode::unescapecopytext("x" + Esc + "20AC" + Gs + "\u00E4" + Esc + "220F" + Gs +
                                        Esc + "z"),
              line);
    EXPECT_EQ(unicode::unescapecopytext(Esc + "20ac" + Gs + Esc + "41" + Gs), "\u20ACA");
    for (const std::string& kept :
         {"a" + Esc + "20AC", "a" + Esc + Gs + "b", Esc + "2G" + Gs, Esc + "\u00E4" + Gs, Esc}) {
        EXPECT_EQ(unicode::unescapecopytext(kept), kept);
    }
    EXPECT_EQ(unicode::unescapecopytext(Esc + Esc + "41" + Gs), Esc + "A");
    EXPECT_EQ(unicode::unescapecopytext(Esc + "D800" + Gs), Nul);
    EXPECT_EQ(unicode::unescapecopytext(Esc + std::string(40, 'F') + Gs), Nul);
    // A decoded ESC starts the next sequence.
    EXPECT_EQ(unicode::unescapecopytext(Esc + "001B" + Gs + "41" + Gs), "A");
    EXPECT_EQ(unicode::unescapecopytext("a" + Esc + "1B" + Gs + "1B" + Gs + "41" + Gs + "b"),
              "aAb");
}

} // namespace
