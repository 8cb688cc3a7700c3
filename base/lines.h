#pragma once
// Text cut into its lines.
#include <string>
#include <vector>

namespace base {

// The parts of text between separators; one (empty) line for empty text.
std::vector<std::string> splitlines(const std::string& text, char separator);

} // namespace base
