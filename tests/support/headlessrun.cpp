#include "tests/support/headlessrun.h"

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {

Lines readlines(const fs::path& path) {
    Lines lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

HeadlessRun readsnapshotfolder(const fs::path& out, const fs::path& printed) {
    HeadlessRun run;
    run.screen = readlines(out / "screen.txt");
    run.titles = readlines(out / "titles.txt");
    run.printed = readlines(printed);
    run.picture = platform::loadimagepng(out / "window0.png");
    return run;
}

} // namespace

HeadlessRun runheadless(const fs::path& program, const std::string& options, const fs::path& out,
                        const std::string& environment) {
    const fs::path printed = out.string() + ".stdout";
    const std::string command = (environment.empty() ? "" : "env " + environment + " ") +
                                program.string() + " " + options + " --out " + out.string() + " >" +
                                printed.string() + " 2>&1";
    const int status = std::system(command.c_str());
    HeadlessRun run = readsnapshotfolder(out, printed);
    run.status = status;
    return run;
}

HeadlessRun readsnapshot(const fs::path& out) {
    return readsnapshotfolder(out, out.string() + ".log");
}
