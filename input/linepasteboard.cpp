// The line editor's exchange with the system pasteboard.
#include "core/bridge.h"
#include "events/queues.h"
#include "input/lineeditor.h"
#include "quorvinthal/toolkit.h"
#include "text/textchecks.h"
#include "unicode/strings.h"

namespace input {

void copyinputline(uint8_t n) {
    const std::string text = unicode::unescapecopytext(display::windowrecord(n).InputString);
    core::onmain([&text] { platform::pasteboardsetstring(text); });
}

// Characters above 255 arrive in their escape form; the editor reads them like typed keys.
void pasteinputline() {
    const std::string text = core::onmain([] { return platform::pasteboardstring(); });
    t_QueueString(t_FirstLine(unicode::escapepastetext(text)));
}

} // namespace input
