#include "toolkit/typing.h"

#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"
#include "unicode/graphemes.h"

namespace toolkit {

platform::View typingview() {
    if (!display::memoryready() || t_FirstWindow() >= t_GraphicWindows) {
        return nullptr;
    }
    const display::t_Window& w = display::windowrecord(t_FirstWindow());
    return w.Initialized ? w.View.load() : nullptr;
}

size_t appendkey(const std::string& text, size_t i, std::vector<uint32_t>& keys) {
    int32_t scalar = 0;
    bool invalid = false;
    const size_t length = unicode::decodescalar(text, i, scalar, &invalid);
    keys.push_back(invalid ? static_cast<unsigned char>(text[i]) : static_cast<uint32_t>(scalar));
    return length;
}

void typetext(platform::View view, const std::string& text) {
    std::vector<uint32_t> keys;
    for (size_t i = 0; i < text.size();) {
        i += appendkey(text, i, keys);
    }
    for (const uint32_t key : keys) {
        platform::typecharacter(view, key);
    }
}

} // namespace toolkit
