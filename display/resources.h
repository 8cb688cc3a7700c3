#pragma once
// Where a program's fonts and sounds come from. A name is looked up in these folders, first to
// last, then among the toolkit's built-in copies, so that the toolkit's own fonts and bell sound
// cannot go missing:
//   <exe>/../share/<executable name>   the program's own folder: it may ship or override files
//   <exe>/../share/<program name>      (lower-cased) of a program that names itself
//   <library>/../share/quorvinthal     the data folder of the installed toolkit library
//   $XDG_DATA_HOME/quorvinthal         (~/.local/share when unset)
//   each $XDG_DATA_DIRS/quorvinthal    (/usr/local/share:/usr/share when unset)
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace display {

// What the folders are made from; strings are the environment's values, empty when unset.
struct ResourcePlaces {
    std::filesystem::path executable;
    std::string programname;
    std::filesystem::path library; // the toolkit's shared library; empty when linked statically
    std::string xdgdatahome;
    std::string xdgdatadirs;
    std::string home;
};

std::vector<std::filesystem::path> resourcefolders(const ResourcePlaces& places);

// This process's folders, or those set with setresourcefolders.
std::vector<std::filesystem::path> resourcefolders();

// Tests search only the given folders, and the built-in copies only when builtins is true. An
// empty list without builtins = false goes back to the program's own places.
void setresourcefolders(std::vector<std::filesystem::path> folders, bool builtins = true);

// The first entry called name in the folders, or an empty path.
std::filesystem::path findresourcefile(const std::string& name);

// The built-in copy of name, or an empty span.
std::span<const uint8_t> builtinresource(const std::string& name);

// The bytes of name: its file when there is one (read errors are logged), else its built-in
// copy, else empty.
std::vector<uint8_t> readresource(const std::string& name);

// What a reader finds wrong with a file's bytes, or empty when nothing is.
using ResourceCheck = std::function<std::string(std::span<const uint8_t>)>;
// readresource for a reader that checks what it reads: a file the check finds wrong is named in
// one log line of who's, with what is wrong, and its built-in copy serves when there is one.
std::vector<uint8_t> readcheckedresource(const std::string& who, const std::string& name,
                                         const ResourceCheck& check);

} // namespace display
