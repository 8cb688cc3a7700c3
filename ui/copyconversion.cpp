#include "ui/copyconversion.h"

#include "unicode/strings.h"

#include <utf8proc.h>

namespace ui {

namespace {

constexpr uint32_t replacement = 0xFFFD;
constexpr int64_t lastscalar = 0x10FFFF;

bool isscalar(int64_t code) {
    return code >= 0 && code <= lastscalar && !(code >= 0xD800 && code <= 0xDFFF);
}

} // namespace

uint32_t copiedscalar(int64_t code) {
    switch (code) {
    case 127: // shade
    case 129: // full block
        return '#';
    case 128: // star
        return '*';
    case 130: // arrow left
        return '<';
    case 131: // double horizontal
    case 159: // triple bar
        return '=';
    case 132: // arrow right
        return '>';
    case 133: // circle
        return 'O';
    case 134: // corners
    case 135:
    case 136:
    case 137:
    case 142: // tees and crosses, single and double
    case 143:
    case 144:
    case 145:
    case 146:
    case 147:
    case 148:
    case 149:
    case 150:
    case 151:
    case 152:
    case 153:
    case 158:
        return '+';
    case 138: // vertical lines
    case 139:
    case 157:
        return '|';
    case 140: // horizontal lines; 156 is the rule of t_TextLine
    case 141:
    case 154:
    case 155:
    case 156:
        return '-';
    case 160: // the visible space
        return 0x02FD;
    default:
        return isscalar(code) ? static_cast<uint32_t>(code) : 0;
    }
}

std::string copyconversion(std::string_view text) {
    std::string copied;
    copied.reserve(text.size());
    const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
    auto remaining = static_cast<utf8proc_ssize_t>(text.size());
    while (remaining > 0) {
        utf8proc_int32_t scalar = 0;
        utf8proc_ssize_t length = utf8proc_iterate(bytes, remaining, &scalar);
        if (length <= 0) {
            length = 1;
            scalar = replacement;
        }
        copied += unicode::scalartext(copiedscalar(scalar));
        bytes += length;
        remaining -= length;
    }
    return copied;
}

} // namespace ui
