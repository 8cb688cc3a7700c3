#pragma once
// The application bundle: <dir>/Quorvinthal.app, found from the executable's own location
// (<bundle>/Contents/MacOS/<executable>).
#include <string>

namespace core {

// Path of the bundle folder, without a trailing slash.
std::string bundlepath();

// Path of a file in the bundle's Contents/Resources folder.
std::string resourcepath(const std::string& name);

// Tests and tools whose executable does not live inside a bundle name it here.
void setbundlepath(const std::string& path);

} // namespace core
