#pragma once
// A resource folder of the test's own, empty at first, that the toolkit reads resources from (and
// from nowhere else but, unless asked otherwise, its built-in copies) for the lifetime of the
// object.
#include "display/resources.h"
#include "tests/support/headlessrun.h"

#include <cstdint>
#include <fstream>

inline void writebytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

class TemporaryResources {
  public:
    explicit TemporaryResources(bool builtins = true) {
        display::setresourcefolders({folder.root}, builtins);
    }
    ~TemporaryResources() { display::setresourcefolders({QV_DATA_DIR}); }
    TemporaryResources(const TemporaryResources&) = delete;
    TemporaryResources& operator=(const TemporaryResources&) = delete;

    std::filesystem::path resource(const std::string& name) const { return folder.root / name; }
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        writebytes(resource(name), bytes);
    }

  private:
    TemporaryFolder folder;
};
