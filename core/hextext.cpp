#include "core/hextext.h"

namespace {

std::string hexdigits(int64_t value, int digits) {
    static const char digitchars[] = "0123456789ABCDEF";
    uint64_t bits = static_cast<uint64_t>(value);
    std::string text(static_cast<size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<size_t>(i)] = digitchars[bits & 15];
        bits >>= 4;
    }
    return text;
}

} // namespace

std::string hexdigits8(int64_t value) {
    return hexdigits(value, 8);
}
std::string hexdigits4(int64_t value) {
    return hexdigits(value, 4);
}

std::string hexaddress(int64_t value) {
    std::string text = "$";
    text += hexdigits8(value);
    return text;
}

int hexdigitvalue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}
