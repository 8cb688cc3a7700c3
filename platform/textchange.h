#pragma once
// The one edit that turns a view's earlier text into its new one, as a screen reader is told of
// it: what was removed and what was inserted at one position. Qt-free, so it is tested directly.
#include <algorithm>
#include <cstddef>
#include <string_view>

namespace platform {

struct TextChange {
    size_t position = 0;
    size_t removed = 0;  // characters of the earlier text from position on
    size_t inserted = 0; // characters of the new text from position on
    bool empty() const { return removed == 0 && inserted == 0; }
};

// The common start and the common end of both texts stay; what lies between them changed. The
// end is matched only behind the common start, so that "aa" to "aaa" inserts one character.
inline TextChange textchange(std::u16string_view before, std::u16string_view after) {
    const size_t shorter = std::min(before.size(), after.size());
    size_t start = 0;
    while (start < shorter && before[start] == after[start]) {
        ++start;
    }
    size_t end = 0;
    while (end < shorter - start &&
           before[before.size() - 1 - end] == after[after.size() - 1 - end]) {
        ++end;
    }
    return {start, before.size() - start - end, after.size() - start - end};
}

} // namespace platform
