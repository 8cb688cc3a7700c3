#pragma once
// A bundle folder of the test's own, with an empty Contents/Resources, that the toolkit reads
// resources from for the lifetime of the object.
#include "core/bundle.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class TemporaryBundle {
  public:
    TemporaryBundle() : previous(core::bundlepath()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "qvbundle-XXXXXX").string();
        root = mkdtemp(pattern.data());
        std::filesystem::create_directories(root / "Contents" / "Resources");
        core::setbundlepath(root.string());
    }
    ~TemporaryBundle() {
        core::setbundlepath(previous);
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    TemporaryBundle(const TemporaryBundle&) = delete;
    TemporaryBundle& operator=(const TemporaryBundle&) = delete;

    std::filesystem::path resource(const std::string& name) const {
        return root / "Contents" / "Resources" / name;
    }
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream(resource(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

  private:
    std::string previous;
    std::filesystem::path root;
};
