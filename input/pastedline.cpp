#include "input/pastedline.h"

namespace input {

namespace {

bool isinvisible(char32_t c) {
    return (c >= 0x200B && c <= 0x200F) || c == 0x2060 || c == 0xFEFF;
}

bool isnobreakspace(char32_t c) {
    return c == 0x00A0 || c == 0x2007 || c == 0x202F;
}

bool isblank(char32_t c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::u32string tidypastedline(std::u32string_view line) {
    std::u32string tidy;
    tidy.reserve(line.size());
    for (const char32_t c : line) {
        if (!isinvisible(c)) {
            tidy.push_back(isnobreakspace(c) ? U' ' : c);
        }
    }
    size_t first = 0, end = tidy.size();
    while (first < end && isblank(tidy[first])) {
        ++first;
    }
    while (end > first && isblank(tidy[end - 1])) {
        --end;
    }
    return tidy.substr(first, end - first);
}

} // namespace input
