#include "toolkit/identity.h"

#include "base/programname.h"
#include "display/resources.h"
#include "platform/platform.h"

#include <algorithm>
#include <string_view>

namespace fs = std::filesystem;

namespace toolkit {

namespace {

constexpr std::string_view applicationid = QV_APP_ID;
constexpr std::string_view iconname = "quorvinthal.png";

// The application's name is the last part of its id.
std::string_view applicationname() {
    return applicationid.substr(applicationid.rfind('.') + 1);
}

} // namespace

std::string desktopfilename(const std::string& programname) {
    return programname == applicationname() ? std::string(applicationid) : programname;
}

std::vector<fs::path> iconfiles(const std::vector<fs::path>& resourcefolders) {
    for (const fs::path& folder : resourcefolders) {
        const fs::path theme = folder.parent_path() / "icons" / "hicolor";
        std::vector<fs::path> files;
        std::error_code ec;
        for (const fs::directory_entry& size : fs::directory_iterator(theme, ec)) {
            const fs::path icon = size.path() / "apps" / iconname;
            if (fs::is_regular_file(icon, ec)) {
                files.push_back(icon);
            }
        }
        if (!files.empty()) {
            std::sort(files.begin(), files.end());
            return files;
        }
    }
    return {};
}

void announceidentity() {
    const std::string name = base::programname();
    std::vector<std::string> icons;
    for (const fs::path& file : iconfiles(display::resourcefolders())) {
        icons.push_back(file.string());
    }
    platform::setapplicationidentity(name, desktopfilename(name), icons);
}

} // namespace toolkit
