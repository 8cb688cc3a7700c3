#pragma once
// The command line every toolkit program understands.
#include <cstdint>
#include <string>
#include <vector>

namespace toolkit {

struct CommandLine {
    bool version = false;  // --version: print the name and version, run nothing
    bool help = false;     // --help: print the usage, run nothing
    bool headless = false; // --out was given: run without windows, write the snapshot there
    std::string keys;      // --keys TEXT
    std::string today;     // --today DD.MM.YYYY
    std::string out;       // --out DIR
    int64_t timeoutseconds = 20;
    std::string error; // not empty when the line cannot be used
};

CommandLine parsecommandline(const std::vector<std::string>& arguments);

// The usage text of --help for the program called name.
std::string usage(const std::string& name);

} // namespace toolkit
