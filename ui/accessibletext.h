#pragma once
// What a screen reader hears of a graphic window (the platform asks through its viewtext handler).
#include "platform/platform.h"

namespace ui {

// The text block as "Text kopieren" copies it, its lines joined by '\n', with the caret at the
// text cursor: the cursor's line keeps its spaces up to the caret, and lines down to the
// cursor's are kept even when empty. False for a window without a text block.
bool viewtext(int view, platform::ViewText& text);

} // namespace ui
