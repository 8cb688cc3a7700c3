#pragma once
// A program of the build run as its own process, headless, and what it left behind: its exit
// status, the snapshot's screen lines, window titles and the picture of window 0, and what it
// printed; the chart program run so in this process. Also a folder removed at the end.
#include "app/cycleprogram.h"
#include "platform/platform.h"
#include "toolkit/commandline.h"
#include "toolkit/headless.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <vector>

using Lines = std::vector<std::string>;

struct TemporaryFolder {
    std::filesystem::path root = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qvtest-XXXXXX").string();
        return std::filesystem::path(mkdtemp(pattern.data()));
    }();
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
};

struct HeadlessRun {
    int status = -1;
    Lines screen, titles, printed;
    std::optional<platform::Image> picture;
};

// The lines of a text file, none when it is missing.
inline Lines readlines(const std::filesystem::path& path) {
    Lines lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Runs a shell command, its standard output and errors written into the file printed; its exit
// status, -1 when it did not exit.
inline int runcommand(const std::string& command, const std::filesystem::path& printed) {
    const int status = std::system((command + " >" + printed.string() + " 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The bytes of a file, none when it is missing.
inline std::string filecontent(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// What a headless run left in its snapshot folder out, and what it printed into the file printed
// (the status is not known: -1).
inline HeadlessRun readsnapshot(const std::filesystem::path& out,
                                const std::filesystem::path& printed) {
    return {-1, readlines(out / "screen.txt"), readlines(out / "titles.txt"), readlines(printed),
            platform::loadimagepng(out / "window0.png")};
}

// What a headless run left in its snapshot folder out, and what it printed into out.log.
inline HeadlessRun readsnapshot(const std::filesystem::path& out) {
    return readsnapshot(out, out.string() + ".log");
}

// Runs program with the options given (shell-quoted as needed) and --out out, with the
// environment's variables given as NAME=VALUE words in front; standard output and errors are read
// back also when the program does not end in time.
inline HeadlessRun runheadless(const std::filesystem::path& program, const std::string& options,
                               const std::filesystem::path& out,
                               const std::string& environment = "") {
    const std::filesystem::path printed = out.string() + ".stdout";
    const std::string command = (environment.empty() ? "" : "env " + environment + " ") +
                                program.string() + " " + options + " --out " + out.string();
    const int status = runcommand(command, printed);
    HeadlessRun run = readsnapshot(out, printed);
    run.status = status;
    return run;
}

// The chart program through the snapshot machinery: real program entry, keys typed into window 0
// through the view, today's date fixed. Once per test: the run is the process's one launch.
// The example's keys: born 5.12.1985, the chart of 05.12.2026.
inline constexpr char examplekeys[] = "5.12.1985\\r\\x1a05.12.2026\\r";

inline toolkit::SnapshotResult runchart(const std::string& keys,
                                        const std::string& today = "06.12.2026") {
    std::string error;
    std::vector<uint32_t> typed = toolkit::parsekeys(keys, error);
    EXPECT_EQ(error, "");
    toolkit::SnapshotRequest request;
    request.keys = typed;
    request.today = toolkit::parsetoday(today);
    toolkit::SnapshotResult result = toolkit::takesnapshot(cycleprogram, request);
    EXPECT_TRUE(result.finished);
    return result;
}
