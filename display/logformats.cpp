#include "display/logformats.h"

namespace {

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
