// The line editor's exchange with the system pasteboard.
#include "core/bridge.h"
#include "display/bell.h"
#include "display/videomemory.h"
#include "input/lineeditor.h"
#include "quorvinthal/toolkit.h"
#include "unicode/strings.h"

namespace input {

namespace {

// Control characters would be editing commands if typed; above 255 the fonts have no glyph.
bool fitsinline(char32_t c) {
    return c >= 32 && c != 127 && c <= 255;
}

} // namespace

void copyinputline(uint8_t n) {
    const std::string text = unicode::unescapecopytext(display::windowrecord(n).InputString);
    core::onmain([&text] { platform::pasteboardsetstring(text); });
}

// Only as many characters as the line can still take are read, whatever the pasteboard holds;
// nothing is queued, so a paste never ends the input nor reaches a later one.
void pasteinputline(uint8_t n) {
    display::t_Window& w = display::windowrecord(n);
    const int64_t room = roomleft(w);
    const platform::PasteboardLine line =
        core::onmain([room] { return platform::pasteboardfirstline(room); });
    bool leftout = line.more;
    for (const char32_t c : line.characters) {
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
