#include "app/snapshot.h"
#include "core/hextext.h"

#include "app/cycleprogram.h"
#include "core/appdelegate.h"
#include "core/handlers.h"
#include "core/log.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "text/print.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace {

// Appends the scalars of UTF-8 text; a byte that does not decode stands for itself.
void appendutf8(const std::string& text, size_t& i, std::vector<uint32_t>& keys) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80         ? 1
                 : (lead >> 5) == 6  ? 2
                 : (lead >> 4) == 14 ? 3
                 : (lead >> 3) == 30 ? 4
                                     : 0;
    if (length == 0 || i + length > text.size()) {
        keys.push_back(lead);
        ++i;
        return;
    }
    uint32_t scalar = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        scalar = scalar << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    keys.push_back(scalar);
    i += length;
}

struct LineStore {
    std::mutex mutex;
    std::vector<std::string> lines;
};

std::vector<std::string> splitlines(const std::string& text, char separator) {
    std::vector<std::string> lines;
    size_t begin = 0;
    for (size_t end; (end = text.find(separator, begin)) != std::string::npos; begin = end + 1) {
        lines.push_back(text.substr(begin, end - begin));
    }
    lines.push_back(text.substr(begin));
    return lines;
}

void collectwindows(SnapshotResult& result) {
    result.window0 = t_WindowImage(0);
    result.window1 = t_WindowImage(1);
    if (!memoryready) {
        return;
    }
    if (textwindowready(0)) {
        result.screen = splitlines(t_GetScreen(0, "\r"), '\r');
    }
    for (uint8_t n = 0; n < graphicwindowcount; ++n) {
        const t_Window& w = windowrecord(n);
        if (w.Initialized && w.Window.load() != nullptr) {
            result.titles.emplace_back(n, platform::windowtitle(w.Window));
        }
    }
}

} // namespace

std::vector<uint32_t> parsekeys(const std::string& text, std::string& error) {
    std::vector<uint32_t> keys;
    for (size_t i = 0; i < text.size();) {
        if (text[i] != '\\') {
            appendutf8(text, i, keys);
            continue;
        }
        char kind = i + 1 < text.size() ? text[i + 1] : '\0';
        if (kind == 'r' || kind == 'e' || kind == '\\') {
            keys.push_back(kind == 'r' ? 13 : kind == 'e' ? 27 : '\\');
            i += 2;
        } else if (kind == 'x' && i + 3 < text.size() && hexdigitvalue(text[i + 2]) >= 0 &&
                   hexdigitvalue(text[i + 3]) >= 0) {
            keys.push_back(static_cast<uint32_t>(hexdigitvalue(text[i + 2]) * 16 +
                                                 hexdigitvalue(text[i + 3])));
            i += 4;
        } else {
            error = "unknown escape at position " + std::to_string(i + 1) +
                    " (use \\r, \\e, \\xHH or \\\\)";
            return {};
        }
    }
    return keys;
}

std::optional<LocalDateTime> parsetoday(const std::string& text) {
    int day = 0, month = 0;
    long long year = 0;
    char dot1 = 0, dot2 = 0, rest = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c%lld%c", &day, &dot1, &month, &dot2, &year, &rest) !=
            5 ||
        dot1 != '.' || dot2 != '.' || day < 1 || day > 31 || month < 1 || month > 12 || year < 1) {
        return std::nullopt;
    }
    return LocalDateTime{year, month, day, 12, 0, 0};
}

SnapshotResult takesnapshot(const std::vector<uint32_t>& keys, std::optional<LocalDateTime> today,
                            int64_t timeoutms, bool echolog) {
    auto store = std::make_shared<LineStore>();
    TextSink previous = setlogsink([store, echolog](std::string_view line) {
        std::lock_guard lock(store->mutex);
        store->lines.emplace_back(line);
        if (echolog) {
            std::string whole = std::string(line) + "\n";
            [[maybe_unused]] ssize_t n = ::write(STDOUT_FILENO, whole.data(), whole.size());
        }
    });
    if (today) {
        setlocalclock([date = *today] { return date; });
    }
    connectoutlets(platform::buildinterface());
    platform::sethandlers(toolkithandlers());
    auto finished = std::make_shared<std::atomic<bool>>(false);
    setprogramentry([finished] {
        struct Flag {
            std::shared_ptr<std::atomic<bool>> done;
            ~Flag() { *done = true; } // the program ends by unwinding its thread
        } flag{finished};
        cycleprogram();
    });
    auto start = std::chrono::steady_clock::now();
    auto remaining = [&] {
        auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        return std::max<int64_t>(0, timeoutms - spent.count());
    };
    applicationWillFinishLaunching();
    applicationDidFinishLaunching();
    if (platform::runeventsuntil([] { return memoryready && windowrecord(0).Initialized; },
                                 remaining())) {
        for (uint32_t key : keys) {
            platform::typecharacter(appdelegate().t_View00, key);
        }
    }
    SnapshotResult result;
    result.finished = platform::runeventsuntil([&] { return finished->load(); }, remaining());
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    platform::runeventsuntil([] { return false; }, 20); // queued titles and redraws
    collectwindows(result);
    setlogsink(std::move(previous));
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
        return "cannot create " + folder + ": " + ec.message();
    }
    const std::pair<const char*, const std::optional<platform::Image>*> images[] = {
        {"window0.png", &result.window0}, {"window1.png", &result.window1}};
    for (auto [name, image] : images) {
        if (!image->has_value()) {
            return std::string("no image of ") + name + " (window not shown)";
        }
        if (!platform::saveimagepng(**image, folder + "/" + name)) {
            return std::string("cannot write ") + folder + "/" + name;
        }
    }
    std::vector<std::string> titles;
    for (const auto& [n, title] : result.titles) {
        titles.push_back(std::to_string(n) + "\t" + title);
    }
    if (!writetext(folder + "/screen.txt", result.screen) ||
        !writetext(folder + "/titles.txt", titles) || !writetext(folder + "/log.txt", result.log)) {
        return "cannot write the text files in " + folder;
    }
    return {};
}
