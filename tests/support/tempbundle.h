#pragma once
// A bundle folder of the test's own, with an empty Contents/Resources, that the toolkit reads
// resources from for the lifetime of the object.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TemporaryBundle {
  public:
    TemporaryBundle();
    ~TemporaryBundle();
    TemporaryBundle(const TemporaryBundle&) = delete;
    TemporaryBundle& operator=(const TemporaryBundle&) = delete;

    std::filesystem::path resource(const std::string& name) const;
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const;

  private:
    std::string previous;
    std::filesystem::path root;
};
