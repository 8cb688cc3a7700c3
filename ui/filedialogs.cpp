#include "ui/filedialogs.h"

#include "base/clock.h"
#include "base/numbertext.h"
#include "base/slot.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"

#include <atomic>
#include <functional>
#include <memory>

namespace ui {

namespace {

constexpr int64_t handovermilliseconds = 20;
constexpr int64_t pollmilliseconds = 1;
constexpr std::string_view filescheme = "file://";

// The result of a dialog run for another thread.
struct DialogBox {
    base::Slot<std::string> result;
    std::atomic<bool> finished{false};
};

std::string rundialog(std::function<std::string()> dialog) {
    if (platform::ismainthread()) {
        return dialog();
    }
    base::sleepmilliseconds(handovermilliseconds);
    auto box = std::make_shared<DialogBox>();
    platform::postonmain([box, dialog = std::move(dialog)] {
        box->result.set(dialog());
        box->finished = true;
    });
    while (!box->finished) {
        base::sleepmilliseconds(pollmilliseconds);
    }
    return box->result.get();
}

// "%20" -> " "; a "%" without two hex digits stays as it is.
std::string percentdecoded(const std::string& s) {
    std::string decoded;
    decoded.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const int byte = s[i] == '%' ? base::hexbytevalue(s, i + 1) : -1;
        if (byte >= 0) {
            decoded.push_back(static_cast<char>(byte));
            i += 2;
        } else {
            decoded.push_back(s[i]);
        }
    }
    return decoded;
}

std::string firstpath(const std::vector<std::string>& urls) {
    return urls.empty() ? std::string() : pathofurl(urls.front());
}

} // namespace

std::vector<std::string> filetypelist(const std::string& fileTypes) {
    std::vector<std::string> types;
    size_t start = 0;
    while (start <= fileTypes.size()) {
        size_t comma = fileTypes.find(',', start);
        if (comma == std::string::npos) {
            comma = fileTypes.size();
        }
        if (comma > start) {
            types.push_back(fileTypes.substr(start, comma - start));
        }
        start = comma + 1;
    }
    return types;
}

std::string pathofurl(const std::string& url) {
    std::string path = percentdecoded(url);
    if (path.starts_with(filescheme)) {
        path.erase(0, filescheme.size());
    }
    return path;
}

} // namespace ui

std::string t_FileNameOfPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string t_OpenDialog(const std::string& title, const std::string& message,
                         const std::string& fileTypes, bool chooseFiles, bool chooseFolders) {
    platform::OpenPanelSettings settings;
    settings.prompt = chooseFolders ? "Wählen" : "Öffnen";
    settings.title = title;
    settings.message = message;
    settings.filetypes = ui::filetypelist(fileTypes);
    settings.choosefiles = chooseFiles;
    settings.choosefolders = chooseFolders;
    settings.multipleselection = false;
    settings.resolvealiases = true;
    return ui::rundialog([settings] { return ui::firstpath(platform::runopenpanel(settings)); });
}

std::string t_SaveDialog(const std::string& fileName, const std::string& title,
                         const std::string& message, const std::string& fileTypes) {
    platform::SavePanelSettings settings;
    settings.prompt = "Sichern";
    settings.namelabel = "Sichern unter:";
    settings.title = title;
    settings.message = message;
    settings.name = fileName;
    settings.filetypes = ui::filetypelist(fileTypes);
    settings.allowothertypes = true;
    settings.cancreatefolders = true;
    return ui::rundialog([settings] { return ui::firstpath(platform::runsavepanel(settings)); });
}
