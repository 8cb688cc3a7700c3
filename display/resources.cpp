#include "display/resources.h"

#include "base/lasting.h"
#include "base/log.h"
#include "base/programname.h"
#include "base/slot.h"
#include "display/builtinresources.h"
#include "formats/binaryfile.h"
#include "formats/fontcheck.h"
#include "formats/fontloader.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <set>

namespace fs = std::filesystem;

namespace display {

namespace {

constexpr const char* toolkitfolder = "quorvinthal";

struct SearchOverride {
    std::vector<fs::path> folders;
    bool builtins = true;
};

struct ResourceState {
    base::Slot<SearchOverride> override;
    std::mutex reportlock;
    std::set<std::string> reported; // damaged files already named in the log
};

// Names a damaged file in the log, once per file and problem.
void reportdamaged(const std::string& who, const fs::path& file, const std::string& problem,
                   bool replaced) {
    ResourceState& state = base::lasting<ResourceState>();
    std::lock_guard lock(state.reportlock);
    if (state.reported.insert(file.string() + "\n" + problem).second) {
        base::logline(who + ": " + file.string() + " " + problem +
                      (replaced ? ", using the built-in copy." : "."));
    }
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The shared library this code runs in; empty when the toolkit is linked into the program.
fs::path toolkitlibrary() {
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&toolkitlibrary), &info) == 0 || !info.dli_fname) {
        return {};
    }
    const fs::path library(info.dli_fname);
    if (library.filename().string().rfind("libquorvinthal.so", 0) != 0) {
        return {};
    }
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(library, ec);
    return ec ? library : resolved;
}

// The XDG base folders: only absolute paths count.
void addxdgfolders(std::vector<fs::path>& folders, const ResourcePlaces& places) {
    std::string datahome = places.xdgdatahome;
    if (datahome.empty() && !places.home.empty()) {
        datahome = places.home + "/.local/share";
    }
    std::string datadirs =
        places.xdgdatadirs.empty() ? "/usr/local/share:/usr/share" : places.xdgdatadirs;
    for (const std::string& list : {datahome, datadirs}) {
        size_t start = 0;
        while (start <= list.size()) {
            size_t end = std::min(list.find(':', start), list.size());
            const fs::path base = list.substr(start, end - start);
            if (base.is_absolute()) {
                folders.push_back(base / toolkitfolder);
            }
            start = end + 1;
        }
    }
}

} // namespace

std::vector<fs::path> resourcefolders(const ResourcePlaces& places) {
    std::vector<fs::path> folders;
    if (!places.executable.empty()) {
        const fs::path share = places.executable.parent_path().parent_path() / "share";
        folders.push_back(share / places.executable.filename());
        if (!places.programname.empty()) {
            folders.push_back(share / lowercase(places.programname));
        }
    }
    if (!places.library.empty()) {
        folders.push_back((places.library.parent_path() / QV_LIBRARY_DATA).lexically_normal());
    }
    addxdgfolders(folders, places);
    std::vector<fs::path> unique;
    for (const fs::path& folder : folders) {
        if (std::find(unique.begin(), unique.end(), folder) == unique.end()) {
            unique.push_back(folder);
        }
    }
    return unique;
}

std::vector<fs::path> resourcefolders() {
    SearchOverride search = base::lasting<ResourceState>().override.get();
    if (!search.folders.empty() || !search.builtins) {
        return search.folders;
    }
    return resourcefolders({base::executablepath(), base::programname(), toolkitlibrary(),
                            environment("XDG_DATA_HOME"), environment("XDG_DATA_DIRS"),
                            environment("HOME")});
}

void setresourcefolders(std::vector<fs::path> folders, bool builtins) {
    base::lasting<ResourceState>().override.set({std::move(folders), builtins});
}

fs::path findresourcefile(const std::string& name) {
    for (const fs::path& folder : resourcefolders()) {
        std::error_code ec;
        if (fs::exists(folder / name, ec)) {
            return folder / name;
        }
    }
    return {};
}

std::span<const uint8_t> builtinresource(const std::string& name) {
    if (!base::lasting<ResourceState>().override.get().builtins) {
        return {};
    }
    for (size_t i = 0; i < builtinresourcecount; ++i) {
        if (name == builtinresources[i].name) {
            return builtinresources[i].bytes;
        }
    }
    return {};
}

std::vector<uint8_t> readresource(const std::string& name) {
    if (fs::path file = findresourcefile(name); !file.empty()) {
        return formats::getbinaryfromfile(file.string());
    }
    std::span<const uint8_t> builtin = builtinresource(name);
    return {builtin.begin(), builtin.end()};
}

std::vector<uint8_t> readcheckedresource(const std::string& who, const std::string& name,
                                         const ResourceCheck& check) {
    const fs::path file = findresourcefile(name);
    if (file.empty()) {
        return readresource(name);
    }
    std::vector<uint8_t> bytes = formats::getbinaryfromfile(file.string());
    const std::string problem = check(bytes);
    if (problem.empty()) {
        return bytes;
    }
    const std::span<const uint8_t> builtin = builtinresource(name);
    if (builtin.empty() && bytes.empty()) {
        return bytes; // the reader's own "cannot load" says it
    }
    reportdamaged(who, file, problem, !builtin.empty());
    return builtin.empty() ? bytes : std::vector<uint8_t>(builtin.begin(), builtin.end());
}

} // namespace display

t_Font t_LoadFontResource(const std::string& name) {
    if (!display::findresourcefile(name).empty() || !display::builtinresource(name).empty()) {
        return formats::parsefontresource(
            display::readcheckedresource("t_LoadFontResource", name, formats::fontfileproblem),
            name);
    }
    // Found nowhere: reading it from the program's own folder gives the usual messages.
    const std::vector<fs::path> folders = display::resourcefolders();
    const fs::path where = folders.empty() ? fs::path(name) : folders.front() / name;
    return formats::parsefontresource(formats::getbinaryfromfile(where.string()), name);
}
