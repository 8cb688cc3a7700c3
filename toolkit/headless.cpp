#include "toolkit/headless.h"

#include "base/clock.h"
#include "base/lines.h"
#include "base/log.h"
#include "base/programname.h"
#include "core/appdelegate.h"
#include "core/programlifecycle.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"
#include "toolkit/setup.h"
#include "toolkit/typing.h"
#include "ui/menuitems.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace toolkit {

namespace {

struct LineStore {
    std::mutex mutex;
    std::vector<std::string> lines;
};

// The lowest window with a text block holds the program's text.
std::vector<std::string> screenlines() {
    for (uint8_t n = 0; n < t_GraphicWindows; ++n) {
        if (display::textwindowready(n)) {
            return base::splitlines(t_GetScreen(n, "\r"), '\r');
        }
    }
    return {};
}

void collectwindows(SnapshotResult& result) {
    result.images.resize(t_GraphicWindows);
    if (!display::memoryready()) {
        return;
    }
    for (uint8_t n = 0; n < t_GraphicWindows; ++n) {
        const display::t_Window& w = display::windowrecord(n);
        if (w.Initialized && w.Visible) {
            result.images[n] = t_WindowImage(n);
        }
        if (w.Initialized && w.Window.load() != nullptr) {
            result.titles.emplace_back(n, platform::windowtitle(w.Window));
        }
    }
    result.screen = screenlines();
}

// Chooses the application menu's item once it can be chosen (the program's end reported) and
// waits for the program it runs; the problem when that cannot be done.
std::string choose(const std::string& title, int64_t timeoutms) {
    const platform::MenuItem item = ui::menuitemtitled(base::programname(), title);
    if (item == nullptr) {
        return "das Menü hat keinen Eintrag \u201E" + title + "\u201C";
    }
    if (!platform::runeventsuntil([item] { return platform::menuitemisenabled(item); },
                                  timeoutms)) {
        return "\u201E" + title + "\u201C ist nicht wählbar geworden";
    }
    platform::menuitemperform(item);
    if (!core::programrunning()) {
        return "\u201E" + title + "\u201C hat das Programm nicht wieder gestartet";
    }
    if (!platform::runeventsuntil([] { return !core::programrunning(); }, timeoutms)) {
        return "das Programm ist nach \u201E" + title + "\u201C nicht zu Ende gekommen";
    }
    return {};
}

} // namespace

SnapshotResult takesnapshot(core::ProgramEntry program, const SnapshotRequest& request) {
    auto store = std::make_shared<LineStore>();
    base::TextSink previous =
        base::setlogsink([store, echo = request.echolog](std::string_view line) {
            std::lock_guard lock(store->mutex);
            store->lines.emplace_back(line);
            if (echo) {
                std::string whole = std::string(line) + "\n";
                [[maybe_unused]] ssize_t n = ::write(STDOUT_FILENO, whole.data(), whole.size());
            }
        });
    if (request.today) {
        base::setlocalclock([date = *request.today] { return date; });
    }
    setup();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    core::setprogramentry([finished, program] {
        struct Flag {
            std::shared_ptr<std::atomic<bool>> done;
            ~Flag() { *done = true; } // the program ends by unwinding its thread
        } flag{finished};
        program();
    });
    auto start = std::chrono::steady_clock::now();
    auto remaining = [&] {
        auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        return std::max<int64_t>(0, request.timeoutms - spent.count());
    };
    core::applicationwillfinishlaunching();
    core::applicationdidfinishlaunching();
    platform::View view = nullptr;
    if (platform::runeventsuntil([&] { return (view = typingview()) != nullptr || *finished; },
                                 remaining()) &&
        view != nullptr) {
        for (uint32_t key : request.keys) {
            platform::typecharacter(view, key);
        }
    }
    SnapshotResult result;
    result.finished = platform::runeventsuntil([&] { return finished->load(); }, remaining());
    for (size_t i = 0; i < request.menuchoices.size() && result.finished; ++i) {
        result.problem = choose(request.menuchoices[i], remaining());
        result.finished = result.problem.empty();
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    platform::runeventsuntil([] { return false; }, 20); // queued titles and redraws
    collectwindows(result);
    base::setlogsink(std::move(previous));
    std::lock_guard lock(store->mutex);
    result.log = store->lines;
    return result;
}

namespace {

bool writetext(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
    return static_cast<bool>(out);
}

} // namespace

std::string writesnapshot(const SnapshotResult& result, const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return folder + " kann nicht angelegt werden: " + ec.message();
    }
    for (size_t n = 0; n < result.images.size(); ++n) {
        const std::string path = folder + "/window" + std::to_string(n) + ".png";
        if (result.images[n] && !platform::saveimagepng(*result.images[n], path)) {
            return path + " kann nicht geschrieben werden";
        }
    }
    std::vector<std::string> titles;
    for (const auto& [n, title] : result.titles) {
        titles.push_back(std::to_string(n) + "\t" + title);
    }
    if (!writetext(folder + "/screen.txt", result.screen) ||
        !writetext(folder + "/titles.txt", titles) || !writetext(folder + "/log.txt", result.log)) {
        return "die Textdateien in " + folder + " können nicht geschrieben werden";
    }
    return {};
}

} // namespace toolkit
