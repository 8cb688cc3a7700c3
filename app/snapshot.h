#pragma once
// Running the real program headless with keys typed in advance, and collecting what it showed.
#include "app/localclock.h"
#include "platform/platform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The keys of a --keys text: "\r" Return, "\e" Escape, "\xHH" any byte, "\\" a backslash; other
// text is UTF-8. Empty with an error text when an escape is malformed.
std::vector<uint32_t> parsekeys(const std::string& text, std::string& error);

// DD.MM.YYYY as a date, or nothing.
std::optional<LocalDateTime> parsetoday(const std::string& text);

struct SnapshotResult {
    bool finished = false; // the program ended its thread within the time allowed
    std::optional<platform::Image> window0;
    std::optional<platform::Image> window1;
    std::vector<std::string> screen;                 // window 0's text lines
    std::vector<std::pair<int, std::string>> titles; // initialised windows 0 ... 7
    std::vector<std::string> log;
    double seconds = 0; // from the launch to the program's end
};

// Launches the toolkit in this process (the application object must exist, on this thread),
// runs the cycle-chart program, types keys into window 0 once it can take them, and collects the
// result after the program has ended or the timeout has passed. Once per process.
SnapshotResult takesnapshot(const std::vector<uint32_t>& keys, std::optional<LocalDateTime> today,
                            int64_t timeoutms, bool echolog);

// Writes window0.png, window1.png, screen.txt, titles.txt and log.txt into folder; returns an
// error text, empty on success.
std::string writesnapshot(const SnapshotResult& result, const std::string& folder);
