#include "core/bundle.h"

#include "core/lasting.h"
#include "core/log.h"
#include "core/slot.h"

namespace fs = std::filesystem;

namespace core {

namespace {

struct BundleState {
    Slot<std::string> overridepath;
    Slot<std::string> reportedmissing; // the missing folder already logged
};

fs::path executabledir() {
    std::error_code ec;
    auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return ".";
    }
    return exe.parent_path();
}

BundleLayout bundleat(const fs::path& bundle) {
    return {bundle.filename().string(), (bundle / "Contents" / "Resources").string()};
}

} // namespace

BundleLayout findlayout(const fs::path& exedir, const fs::path& installedresources,
                        const std::string& installedname) {
    if (exedir.filename() == "MacOS" && exedir.parent_path().filename() == "Contents") {
        return bundleat(exedir.parent_path().parent_path());
    }
    return {installedname, (exedir / installedresources).lexically_normal().string()};
}

BundleLayout bundlelayout() {
    if (std::string path = lasting<BundleState>().overridepath.get(); !path.empty()) {
        return bundleat(path);
    }
    return findlayout(executabledir(), QV_INSTALLED_RESOURCES, QV_INSTALLED_BUNDLE);
}

std::string bundlename() {
    return bundlelayout().name;
}

std::string resourcepath(const std::string& name) {
    const std::string folder = bundlelayout().resources;
    std::error_code ec;
    if (!fs::is_directory(folder, ec) &&
        lasting<BundleState>().reportedmissing.exchange(folder) != folder) {
        logline("Resources: no resource folder at " + folder);
    }
    return folder + "/" + name;
}

void setbundlepath(const std::string& path) {
    lasting<BundleState>().overridepath.set(path);
}

std::string bundlepath() {
    return lasting<BundleState>().overridepath.get();
}

} // namespace core
