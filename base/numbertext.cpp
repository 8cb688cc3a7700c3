#include "base/numbertext.h"

namespace base {

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

std::string groupedthousands(uint64_t whole) {
    std::string digits = std::to_string(whole);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped.push_back('.');
        }
        grouped.push_back(digits[i]);
    }
    return grouped;
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

int hexbytevalue(std::string_view text, size_t pos) {
    const int high = pos + 1 < text.size() ? hexdigitvalue(text[pos]) : -1;
    const int low = high >= 0 ? hexdigitvalue(text[pos + 1]) : -1;
    return low >= 0 ? high * 16 + low : -1;
}

std::string kilobytetext(int64_t bytes) {
    bool negative = bytes < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(bytes) : static_cast<uint64_t>(bytes);
    uint64_t whole = magnitude / 1024;
    uint64_t hundredths = (magnitude % 1024) * 100 / 1024; // cut, exactly as the quotient's digits
    std::string text = negative ? "-" : "";
    text += groupedthousands(whole) + ",";
    text += static_cast<char>('0' + hundredths / 10);
    text += static_cast<char>('0' + hundredths % 10);
    return text;
}

} // namespace base
