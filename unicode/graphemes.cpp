#include "unicode/graphemes.h"

#include <utf8proc.h>

namespace unicode {

size_t decodescalar(std::string_view text, size_t pos, int32_t& scalar, bool* invalid) {
    const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data()) + pos;
    const auto length = static_cast<utf8proc_ssize_t>(text.size() - pos);
    utf8proc_int32_t decoded = -1;
    const utf8proc_ssize_t used = utf8proc_iterate(bytes, length, &decoded);
    const bool bad = used <= 0 || decoded < 0;
    if (invalid != nullptr) {
        *invalid = bad;
    }
    scalar = bad ? replacementcharacter : decoded;
    return bad ? 1 : static_cast<size_t>(used);
}

size_t graphemeend(std::string_view text, size_t pos) {
    if (pos >= text.size()) {
        return text.size();
    }
    int32_t previous = 0;
    bool invalid = false;
    pos += decodescalar(text, pos, previous, &invalid);
    if (invalid) {
        return pos;
    }
    // A fresh state at a cluster start is allowed: the state only carries within one cluster.
    utf8proc_int32_t state = 0;
    while (pos < text.size()) {
        int32_t next = 0;
        const size_t length = decodescalar(text, pos, next, &invalid);
        if (invalid || utf8proc_grapheme_break_stateful(previous, next, &state)) {
            break;
        }
        previous = next;
        pos += length;
    }
    return pos;
}

size_t graphemeoffset(std::string_view text, int64_t index) {
    size_t pos = 0;
    for (int64_t i = 0; i < index && pos < text.size(); ++i) {
        pos = graphemeend(text, pos);
    }
    return pos;
}

int64_t graphemecount(std::string_view text) {
    int64_t count = 0;
    for (size_t pos = 0; pos < text.size(); pos = graphemeend(text, pos)) {
        ++count;
    }
    return count;
}

std::vector<std::string_view> graphemes(std::string_view text) {
    std::vector<std::string_view> characters;
    for (size_t pos = 0; pos < text.size();) {
        const size_t end = graphemeend(text, pos);
        characters.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return characters;
}

} // namespace unicode
