// The line editor's exchange with the system pasteboard.
#include "core/bridge.h"
#include "display/bell.h"
#include "display/videomemory.h"
#include "input/lineeditor.h"
#include "input/pastedline.h"
#include "quorvinthal/toolkit.h"
#include "unicode/strings.h"

namespace input {

namespace {

// Far more than any field holds, with room for the characters a mode refuses.
constexpr int64_t longestpaste = 4096;

// Control characters would be editing commands if typed; above 255 the fonts have no glyph.
bool fitsinline(char32_t c) {
    return c >= 32 && c != 127 && c <= 255;
}

} // namespace

void copyinputline(uint8_t n) {
    const std::string text = unicode::unescapecopytext(display::windowrecord(n).InputString);
    core::onmain([&text] { platform::pasteboardsetstring(text); });
}

// Characters the mode refuses use no room: the line is read until the field is full, from a
// bounded first line, so a huge pasteboard costs nothing. Nothing is queued, so a paste never ends
// the input nor reaches a later one.
void pasteinputline(uint8_t n) {
    display::t_Window& w = display::windowrecord(n);
    const platform::PasteboardLine line =
        core::onmain([] { return platform::pasteboardfirstline(longestpaste); });
    const std::u32string pasted = tidypastedline(line.characters);
    bool leftout = line.more;
    for (const char32_t c : pasted) {
        if (roomleft(w) == 0) {
            leftout = true;
            break;
        }
        if (!fitsinline(c) || !insertatcursor(w, c)) {
            leftout = true;
        }
    }
    redrawinput(n, w.InputString);
    if (leftout) {
        display::bell();
    }
}

} // namespace input
