#include "formats/binaryfile.h"

#include "base/log.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace formats {

namespace {

void logreaderror(const std::string& path, int error) {
    base::logline("getbinaryfromfile: Error #" + path + ": " +
                  std::generic_category().message(error));
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int opened) : fd(opened) {}
    ~FileDescriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd; }

  private:
    int fd;
};

} // namespace

std::vector<uint8_t> getbinaryfromfile(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        logreaderror(path, errno);
        return {};
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        logreaderror(path, errno);
        return {};
    }
    if (S_ISDIR(status.st_mode)) {
        logreaderror(path, EISDIR);
        return {};
    }
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            logreaderror(path, errno);
            return {};
        }
        if (n == 0) {
            return bytes;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

} // namespace formats
