#pragma once
// Where a program's resources are, found from its executable's own location, in either layout:
//   the build's bundle  <dir>/X.app/Contents/MacOS/<exe>  ->  <dir>/X.app/Contents/Resources
//   an installed tree   <prefix>/bin/<exe>                ->  <prefix>/share/quorvinthal
// Both are found relative to the executable, so a moved or unpacked tree works as it is.
#include <filesystem>
#include <string>

namespace core {

struct BundleLayout {
    std::string name;      // the bundle folder's name, which window titles are made from
    std::string resources; // the folder of fonts and sounds
};

// The layout of an executable in folder exedir. installedresources leads from an installed tree's
// bin folder to its resources; an installed tree is named like the bundle it was installed from.
BundleLayout findlayout(const std::filesystem::path& exedir,
                        const std::filesystem::path& installedresources,
                        const std::string& installedname);

// The layout of this process: the bundle given to setbundlepath, else found from the executable.
BundleLayout bundlelayout();

// The bundle's name ("Quorvinthal.app" in the build and installed alike).
std::string bundlename();

// Path of a file in the resource folder. A missing folder is logged once, with where it was
// looked for.
std::string resourcepath(const std::string& name);

// Tests and tools whose executable does not live inside a bundle name one here (its resources in
// <path>/Contents/Resources); an empty path goes back to the executable's own layout.
void setbundlepath(const std::string& path);
std::string bundlepath(); // what setbundlepath set, empty if nothing

} // namespace core
