#include "base/lines.h"

namespace base {

std::vector<std::string> splitlines(const std::string& text, char separator) {
    std::vector<std::string> lines;
    size_t begin = 0;
    for (size_t end; (end = text.find(separator, begin)) != std::string::npos; begin = end + 1) {
        lines.push_back(text.substr(begin, end - begin));
    }
    lines.push_back(text.substr(begin));
    return lines;
}

} // namespace base
