#include "core/programname.h"

#include "core/lasting.h"
#include "core/slot.h"

namespace core {

namespace {

struct ProgramNameState {
    Slot<std::string> name;
};

} // namespace

std::filesystem::path executablepath() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe;
}

std::string programname() {
    std::string name = lasting<ProgramNameState>().name.get();
    return name.empty() ? executablepath().filename().string() : name;
}

void setprogramname(const std::string& name) {
    lasting<ProgramNameState>().name.set(name);
}

} // namespace core
