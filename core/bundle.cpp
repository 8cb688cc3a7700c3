#include "core/bundle.h"

#include "core/lasting.h"
#include "core/slot.h"

#include <filesystem>

namespace core {

namespace {

struct BundleState {
    Slot<std::string> overridepath;
};

std::string executabledir() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return ".";
    }
    return exe.parent_path().string();
}

} // namespace

std::string bundlepath() {
    if (std::string path = lasting<BundleState>().overridepath.get(); !path.empty()) {
        return path;
    }
    // <bundle>/Contents/MacOS -> <bundle>
    std::filesystem::path dir = executabledir();
    if (dir.filename() == "MacOS" && dir.parent_path().filename() == "Contents") {
        return dir.parent_path().parent_path().string();
    }
    return dir.string();
}

std::string resourcepath(const std::string& name) {
    return bundlepath() + "/Contents/Resources/" + name;
}

void setbundlepath(const std::string& path) {
    lasting<BundleState>().overridepath.set(path);
}

} // namespace core
