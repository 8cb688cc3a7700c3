#include "tests/support/tempbundle.h"

#include "core/bundle.h"
#include "quorvinthal/toolkit.h"

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

TemporaryBundle::TemporaryBundle() : previous(core::bundlepath()) {
    std::string pattern = (fs::temp_directory_path() / "qvbundle-XXXXXX").string();
    root = mkdtemp(pattern.data());
    fs::create_directories(root / "Contents" / "Resources");
    core::setbundlepath(root.string());
}

TemporaryBundle::~TemporaryBundle() {
    core::setbundlepath(previous);
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

fs::path TemporaryBundle::resource(const std::string& name) const {
    return root / "Contents" / "Resources" / name;
}

void TemporaryBundle::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream(resource(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}
