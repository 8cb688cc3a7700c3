#pragma once
// A bundle folder of the test's own, with an empty Contents/Resources, that the toolkit reads
// resources from for the lifetime of the object.
#include "core/bundle.h"
#include "tests/support/headlessrun.h"

#include <cstdint>
#include <fstream>

class TemporaryBundle {
  public:
    TemporaryBundle() : previous(core::bundlepath()) {
        std::filesystem::create_directories(resource(""));
        core::setbundlepath(folder.root.string());
    }
    ~TemporaryBundle() { core::setbundlepath(previous); }
    TemporaryBundle(const TemporaryBundle&) = delete;
    TemporaryBundle& operator=(const TemporaryBundle&) = delete;

    std::filesystem::path resource(const std::string& name) const {
        return folder.root / "Contents" / "Resources" / name;
    }
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream(resource(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

  private:
    std::string previous;
    TemporaryFolder folder;
};
