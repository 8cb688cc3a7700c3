#include "base/programname.h"

#include "base/lasting.h"
#include "base/slot.h"

namespace base {

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

} // namespace base
