#include "platform/audioloader.h"

#include "base/log.h"

#include <dlfcn.h>

#include <algorithm>
#include <string>

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr const char* modulefile = "quorvinthal/audio.so";

// The file this code was loaded from: the shared library, or the program it is linked into.
fs::path ownfile() {
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&ownfile), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return info.dli_fname;
}

const audio::Module* tryload(const fs::path& file, std::string& error) {
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        error = dlerror();
        return nullptr;
    }
    auto entry = reinterpret_cast<audio::Entry>(dlsym(library, audio::entryname));
    const audio::Module* module = entry != nullptr ? entry() : nullptr;
    if (module == nullptr || module->version != audio::moduleversion) {
        error = file.string() + " is not an audio module of this toolkit";
        dlclose(library);
        return nullptr;
    }
    return module; // stays loaded for the life of the process
}

const audio::Module* load() {
    std::string error = "no place to look";
    for (const fs::path& file : audiomodulecandidates(ownfile())) {
        if (const audio::Module* module = tryload(file, error)) {
            return module;
        }
    }
    base::logline("audio: No audio module (" + error + "), using the platform beep.");
    return nullptr;
}

} // namespace

std::vector<fs::path> audiomodulecandidates(const fs::path& self) {
    std::vector<fs::path> candidates;
    auto add = [&](const fs::path& file) {
        const fs::path normal = file.lexically_normal();
        if (std::find(candidates.begin(), candidates.end(), normal) == candidates.end()) {
            candidates.push_back(normal);
        }
    };
    if (self.filename().string().rfind("libquorvinthal.so", 0) == 0) {
        add(self.parent_path() / modulefile);
    } else if (!self.empty()) {
        add(self.parent_path() / QV_BIN_TO_LIB / modulefile);
    }
    add(fs::path(QV_INSTALL_FULL_LIBDIR) / modulefile);
    return candidates;
}

const audio::Module* audiomodule() {
    static const audio::Module* const module = load();
    return module;
}

} // namespace platform
