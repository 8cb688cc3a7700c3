// What a screen reader is told: the edit between two texts, a window's text with its caret, and
// the views as Qt's accessibility presents them.
#include "platform/textchange.h"
#include "tests/support/inputhelpers.h"
#include "ui/accessibletext.h"
#include "ui/copyconversion.h"

#include <QAccessible>

namespace {

platform::ViewText heard(int view) {
    return core::onmain([view] {
        platform::ViewText text;
        if (!ui::viewtext(view, text)) {
            text.text = u"no text";
        }
        return text;
    });
}

} // namespace

TEST(ScreenReader, AChangeIsOneEditBetweenTheCommonStartAndEnd) {
    struct Case {
        std::u16string before, after;
        size_t position, removed, inserted;
    };
    // From "aa" to "aaa" the end is matched behind the start.
    const Case cases[] = {
        {u"", u"", 0, 0, 0},       {u"Jahr", u"Jahr", 4, 0, 0},      {u"", u"5.1", 0, 0, 3},
        {u"aa", u"aaa", 2, 0, 1},  {u"aaa", u"aa", 2, 1, 0},         {u">  x", u"> 5x", 2, 1, 1},
        {u"abc", u"xyz", 0, 3, 3}, {u"Am\nX", u"Am\nY\nZ", 3, 1, 3}, {u"12345", u"1245", 2, 1, 0}};
    for (const Case& c : cases) {
        const platform::TextChange change = platform::textchange(c.before, c.after);
        EXPECT_EQ(std::tuple(change.position, change.removed, change.inserted),
                  std::tuple(c.position, c.removed, c.inserted))
            << std::string(c.before.begin(), c.before.end()) << " -> "
            << std::string(c.after.begin(), c.after.end());
    }
}

// The rule 156 is heard as the copy gives it, the cursor's empty line keeps its spaces up to the
// caret, and lines down to it stay; a window without text and other numbers have none.
WINDOW_TEST(ScreenReader, TheTextIsTheCopiedTextWithTheCaretAtTheCursor) {
    t_Print(0, "Zeile eins");
    t_Cr(0);
    t_Print(0, std::vector<uint8_t>{156, 156, 228});
    t_Vtab(0, 6);
    t_Htab(0, 5);
    const platform::ViewText text = heard(0);
    EXPECT_EQ(text.text, u"Zeile eins\n--\u00e4\n\n\n\n    ");
    EXPECT_EQ(QString::fromStdU16String(text.text).replace('\n', '\r').toStdString(),
              ui::copyconversion(t_GetScreen(0, "\r")) + "\r\r\r\r    ");
    EXPECT_EQ(text.caret, 22);
    EXPECT_FALSE(text.editing);
    t_InitWindow(1, 4, false, 320, 200, 0, 0, t_Font{}, true);
    for (int view : {1, 2, 8, -1}) {
        EXPECT_EQ(heard(view).text, u"no text") << view;
    }
}

// Each key is sent only once the caret stands where the keys before it left it.
TEST(ScreenReader, TheTypedLineIsEditableAndItsCaretFollowsTheKeys) {
    int64_t typed = 0;
    inwindow(
        [] {
            EXPECT_EQ(t_InputForm(0, "> ", "", false, t_InputText, 10), "ab");
            EXPECT_FALSE(heard(0).editing);
        },
        keysfortext("ab\r"),
        [&] {
            const platform::ViewText text = heard(0);
            const bool ready = text.editing && text.caret == 2 + typed;
            typed += ready ? 1 : 0;
            return ready;
        });
    EXPECT_EQ(typed, 3);
}

WINDOW_TEST(ScreenReader, ViewsAreATerminalsTextOrADescribedPicture) {
    t_Print(0, "Hallo Welt");
    t_Cr(0);
    t_WindowTitle(0, "Text");
    t_InitWindow(1, 4, false, 320, 200, 0, 0, t_Font{}, true);
    t_WindowTitle(1, "Kurve");
    LogCapture log;
    t_WindowDescription(1, "Eine Kurve steigt.");
    t_WindowDescription(9, "");
    EXPECT_EQ(log.lines(), Lines{"t_WindowDescription: Window is not a graphic window."});
    core::onmain([] {
        QAccessibleInterface* text = QAccessible::queryAccessibleInterface(viewof(0));
        EXPECT_EQ(text->role(), QAccessible::Terminal);
        EXPECT_EQ(text->text(QAccessible::Name), "Text");
        EXPECT_TRUE(text->state().readOnly);
        QAccessibleTextInterface* characters = text->textInterface();
        int start = 0, end = 0;
        EXPECT_EQ(characters->textAtOffset(8, QAccessible::WordBoundary, &start, &end), "Welt");
        EXPECT_EQ(characters->textAtOffset(2, QAccessible::LineBoundary, &start, &end),
                  "Hallo Welt\n");
        EXPECT_EQ(characters->cursorPosition(), 11);
        QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(viewof(1));
        EXPECT_EQ(picture->role(), QAccessible::Graphic);
        EXPECT_EQ(picture->textInterface(), nullptr);
        EXPECT_EQ(picture->text(QAccessible::Name), "Kurve");
        EXPECT_EQ(picture->text(QAccessible::Description), "Eine Kurve steigt.");
    });
}
