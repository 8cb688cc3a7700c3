#pragma once
// Writing a whole file so that nobody ever sees a part of it: a failed write leaves the old file
// (or none) and no stray temporary file behind.
#include <string>
#include <string_view>

namespace base {

// Writes bytes to a temporary file beside path, flushes it to the disk and renames it over path.
// Returns 0, or the errno of the step that failed (EISDIR when path is a folder); the temporary
// file is gone either way.
int replacefile(const std::string& path, std::string_view bytes);

// The symbolic name of an errno value ("EACCES"), the same in every locale; "E<number>" for a
// value without one.
std::string errnoname(int error);

} // namespace base
