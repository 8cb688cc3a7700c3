#pragma once
// The command line every toolkit program understands, and the values of its options.
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <optional>
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
    std::vector<std::string> menus; // each --menu TITLE, in order
    int64_t timeoutseconds = 20;
    std::string error; // not empty when the line cannot be used
};

CommandLine parsecommandline(const std::vector<std::string>& arguments);

// The usage text of --help for the program called name; a snapshot-only program needs --out.
std::string usage(const std::string& name, bool snapshotonly = false);

// The keys of a --keys text: "\r" Return, "\e" Escape, "\xHH" any byte, "\\" a backslash; other
// text is UTF-8, where a byte that does not decode stands for itself. Empty with an error text
// when an escape is malformed.
std::vector<uint32_t> parsekeys(const std::string& text, std::string& error);

// A --today text, DD.MM.YYYY, as a date (at noon), or nothing.
std::optional<t_DateTime> parsetoday(const std::string& text);

} // namespace toolkit
