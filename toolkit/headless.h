#pragma once
// Running a program headless with keys typed in advance, and collecting what it showed: the
// snapshot that tests, the examples' checks and quorvinthal-snapshot use.
#include "core/process.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace toolkit {

struct SnapshotResult {
    bool finished = false; // the program ended its thread within the time allowed
    // The picture of every graphic window that is shown, by window number.
    std::vector<std::optional<platform::Image>> images;
    std::vector<std::string> screen;                 // the text window's lines
    std::vector<std::pair<int, std::string>> titles; // initialised windows 0 ... 7
    std::vector<std::string> log;
    double seconds = 0;  // from the launch to the program's end
    std::string problem; // a menu choice that could not be made; empty when all were
};

struct SnapshotRequest {
    std::vector<uint32_t> keys;      // typed into the first window once it can take them
    std::optional<t_DateTime> today; // fixes the local date
    int64_t timeoutms = 20000;
    bool echolog = false; // the log lines go to standard output as well
    // Items of the application menu chosen in turn once the program has ended; each waits for
    // the program it runs to end again.
    std::vector<std::string> menuchoices;
};

// Launches the toolkit in this process (the application object must exist, on this thread), runs
// program, types the keys and collects the result after the program has ended or the timeout has
// passed. Once per process.
SnapshotResult takesnapshot(core::ProgramEntry program, const SnapshotRequest& request);

// Writes window<n>.png for every picture, screen.txt, titles.txt and log.txt into folder; returns
// an error text, empty on success.
std::string writesnapshot(const SnapshotResult& result, const std::string& folder);

} // namespace toolkit
