#include "unicode/strings.h"

#include "base/numbertext.h"
#include "quorvinthal/toolkit.h"
#include "unicode/graphemes.h"

#include <algorithm>
#include <cstdlib>
#include <utf8proc.h>

namespace unicode {

namespace {

constexpr char escapecharacter = 27;
constexpr char groupseparator = 29;
constexpr int64_t maximumspaces = 32767;
// One past the last scalar; hexadecimal values saturate here so that long digit runs cannot
// overflow and still read as "not a scalar".
constexpr int64_t scalarlimit = 0x110000;
// No single scalar below this one changes under NFC.
constexpr int32_t firstnormalizingscalar = 0x300;

bool isscalar(int64_t value) {
    return value >= 0 && value < scalarlimit && !(value >= 0xD800 && value <= 0xDFFF);
}

std::string composedform(std::string_view character) {
    if (character.empty()) {
        return {};
    }
    int32_t scalar = 0;
    bool invalid = false;
    const size_t length = decodescalar(character, 0, scalar, &invalid);
    if (invalid || (length == character.size() && scalar < firstnormalizingscalar)) {
        return std::string(character);
    }
    utf8proc_uint8_t* composed = nullptr;
    const utf8proc_ssize_t size =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(character.data()),
                     static_cast<utf8proc_ssize_t>(character.size()), &composed,
                     static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
    if (size < 0) {
        return std::string(character);
    }
    std::string result(reinterpret_cast<const char*>(composed), static_cast<size_t>(size));
    std::free(composed);
    return result;
}

std::vector<std::string> composedcharacters(std::string_view s) {
    std::vector<std::string> characters;
    for (std::string_view character : graphemes(s)) {
        characters.push_back(composedform(character));
    }
    return characters;
}

} // namespace

std::string scalartext(int64_t scalar) {
    if (!isscalar(scalar)) {
        return std::string(1, '\0');
    }
    utf8proc_uint8_t bytes[4];
    const utf8proc_ssize_t length = utf8proc_encode_char(static_cast<int32_t>(scalar), bytes);
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length));
}

std::string unescapecopytext(std::string_view copied) {
    std::string text(copied);
    const std::string_view s = text;
    std::string result;
    result.reserve(s.size());
    for (size_t pos = 0; pos < s.size();) {
        if (s[pos] != escapecharacter) {
            result += s[pos++];
            continue;
        }
        size_t end = pos + 1;
        int64_t value = 0;
        for (; end < s.size() && base::hexdigitvalue(s[end]) >= 0; ++end) {
            value = std::min(value * 16 + base::hexdigitvalue(s[end]), scalarlimit);
        }
        const bool sequence = end > pos + 1 && end < s.size() && s[end] == groupseparator;
        if (!sequence) {
            // A lone ESC (no digits, or no GS after them) stays as it is; scanning goes on behind
            // it.
            result += s[pos++];
            continue;
        }
        if (value == escapecharacter) {
            // The search for the next ESC starts at the replaced sequence: an ESC made of one
            // may begin the next sequence.
            text[end] = escapecharacter;
            pos = end;
            continue;
        }
        result += scalartext(value);
        pos = end + 1;
    }
    return result;
}

} // namespace unicode

size_t std::hash<unicode::Text>::operator()(const unicode::Text& text) const noexcept {
    // FNV-1a over the element count, then every byte.
    uint64_t value = 0xcbf29ce484222325ULL;
    const auto feed = [&value](uint8_t byte) {
        value ^= byte;
        value *= 0x100000001b3ULL;
    };
    const uint64_t count = text.Elements.size();
    for (int shift = 0; shift < 64; shift += 8) {
        feed(static_cast<uint8_t>(count >> shift));
    }
    for (uint8_t byte : text.Elements) {
        feed(byte);
    }
    return static_cast<size_t>(value);
}

int64_t t_Asc(std::string_view s) {
    if (s.empty()) {
        return 0;
    }
    const std::string first = unicode::composedform(s.substr(0, unicode::graphemeend(s, 0)));
    int32_t scalar = 0;
    unicode::decodescalar(first, 0, scalar);
    return scalar;
}

std::string t_CharAt(std::string_view s, int64_t i) {
    if (i < 1) {
        return {};
    }
    const size_t start = unicode::graphemeoffset(s, i - 1);
    return std::string(s.substr(start, unicode::graphemeend(s, start) - start));
}

std::string t_MidFrom(std::string_view s, int64_t i) {
    if (i < 2) {
        return std::string(s);
    }
    return std::string(s.substr(unicode::graphemeoffset(s, i - 1)));
}

std::string t_Left(std::string_view s, int64_t n) {
    if (n < 1) {
        return {};
    }
    return std::string(s.substr(0, unicode::graphemeoffset(s, n)));
}

std::string t_Mid(std::string_view s, int64_t start, int64_t n) {
    if (start < 2) {
        return t_Left(s, n);
    }
    if (n < 1) {
        return {};
    }
    return t_Left(s.substr(unicode::graphemeoffset(s, start - 1)), n);
}

int64_t t_Instr(std::string_view s, std::string_view pattern, int64_t start) {
    const std::vector<std::string> wanted = unicode::composedcharacters(pattern);
    if (wanted.empty()) {
        return 0;
    }
    const int64_t skipped = std::max<int64_t>(start, 1) - 1;
    const std::vector<std::string> searched =
        unicode::composedcharacters(s.substr(unicode::graphemeoffset(s, skipped)));
    const auto found = std::search(searched.begin(), searched.end(), wanted.begin(), wanted.end());
    if (found == searched.end()) {
        return 0;
    }
    return skipped + (found - searched.begin()) + 1;
}

std::string t_Spaces(int64_t n) {
    if (n < 1 || n > unicode::maximumspaces) {
        return {};
    }
    return std::string(static_cast<size_t>(n), ' ');
}

std::string t_FirstLine(std::string_view s) {
    size_t end = s.find('\r');
    if (end == std::string_view::npos) {
        end = s.find('\n');
    }
    return std::string(s.substr(0, end));
}

int64_t t_LowerCode(int64_t code) {
    if (code < 0) {
        return 0;
    }
    const int32_t scalar = unicode::isscalar(code) ? static_cast<int32_t>(code) : 0;
    return utf8proc_tolower(scalar);
}

std::string t_Chr(int64_t code) {
    return unicode::scalartext(code);
}
