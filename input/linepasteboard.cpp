// The line editor's exchange with the system pasteboard.
#include "core/bridge.h"
#include "input/keyqueue.h"
#include "input/lineeditorparts.h"
#include "input/strings.h"
#include "text/textchecks.h"

void copyinputline(uint8_t n) {
    const std::string text = unescapecopytext(windowrecord(n).InputString);
    onmain([&text] { platform::pasteboardsetstring(text); });
}

// Characters above 255 arrive in their escape form; the editor reads them like typed keys.
void pasteinputline() {
    const std::string text = onmain([] { return platform::pasteboardstring(); });
    t_QueueString(t_FirstLine(escapepastetext(text)));
}
