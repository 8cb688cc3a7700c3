#include "base/filereplace.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace base {

namespace {

// The folder part of path with its trailing "/", empty for a name without one.
std::string folderof(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A name that no other writer in this process or another one uses at the same time; hidden, so
// that a file browser does not show it while it grows.
std::string temporaryname(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const std::string name = path.substr(folderof(path).size());
    return folderof(path) + "." + name + "." + std::to_string(::getpid()) + "." +
           std::to_string(counter++) + ".tmp";
}

int writeall(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            return errno;
        }
        bytes.remove_prefix(written < 0 ? 0 : static_cast<size_t>(written));
    }
    return 0;
}

// Creates a new temporary file for path (its mode as the umask allows, like any new file).
int createtemporary(const std::string& path, std::string& temporary) {
    for (;;) {
        temporary = temporaryname(path);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
}

// A full disk may show only when the data reaches it: at fsync or close.
int writeandclose(int fd, std::string_view bytes) {
    int error = writeall(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

} // namespace

int replacefile(const std::string& path, std::string_view bytes) {
    struct stat existing {};
    if (path.empty() || path.back() == '/') {
        return path.empty() ? ENOENT : EISDIR;
    }
    if (::stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        return EISDIR;
    }
    std::string temporary;
    const int fd = createtemporary(path, temporary);
    if (fd < 0) {
        return errno;
    }
    int error = writeandclose(fd, bytes);
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
    }
    return error;
}

std::string errnoname(int error) {
    if (const char* name = ::strerrorname_np(error)) {
        return name;
    }
    std::string number = "E";
    return number.append(std::to_string(error));
}

} // namespace base
