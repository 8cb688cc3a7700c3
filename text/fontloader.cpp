#include "text/fontloader.h"

#include "core/bundle.h"
#include "core/log.h"
#include "text/lzw.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// Header bytes past the end of a short file read as 0.
uint8_t byteat(std::span<const uint8_t> bytes, size_t index) {
    return index < bytes.size() ? bytes[index] : 0;
}

uint64_t bigendian(std::span<const uint8_t> bytes, size_t offset, size_t length) {
    uint64_t value = 0;
    for (size_t i = 0; i < length; ++i) {
        value = (value << 8) | byteat(bytes, offset + i);
    }
    return value;
}

void logreaderror(const std::string& path, int error) {
    logline("getbinaryfromfile: Error #" + path + ": " + std::generic_category().message(error));
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd(fd) {}
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

t_Font parsefontresource(std::span<const uint8_t> bytes, const std::string& name) {
    t_Font font;
    if (bytes.empty()) {
        logline("t_LoadFontResource: Could not load file \u201E" + name + "\u201C");
        return font;
    }
    font.HeaderSize = bytes[0];
    if (bytes.size() < static_cast<size_t>(font.HeaderSize)) {
        logline("t_LoadFontResource: Invalid header size");
        return font;
    }
    font.Identifier = {byteat(bytes, 1), byteat(bytes, 2), byteat(bytes, 3), byteat(bytes, 4)};
    if (!std::equal(font.Identifier.begin(), font.Identifier.end(), FontIdentifier.begin(),
                    FontIdentifier.end())) {
        logline("t_LoadFontResource: Invalid file type");
        return font;
    }
    font.Format = byteat(bytes, 5);
    font.Size = bytes.size() < 10 ? 0 : static_cast<int64_t>(bigendian(bytes, 6, 4));
    font.Start = byteat(bytes, 10);
    font.End = byteat(bytes, 11);
    font.Width = byteat(bytes, 12);
    font.Height = byteat(bytes, 13);
    font.Reserved = bytes.size() < 16 ? 0 : static_cast<int64_t>(bigendian(bytes, 14, 2));
    font.Data.assign(bytes.begin() + font.HeaderSize, bytes.end());
    return uncompressfont(font);
}

t_Font t_LoadFontResource(const std::string& name) {
    return parsefontresource(getbinaryfromfile(resourcepath(name)), name);
}

t_Font uncompressfont(const t_Font& font) {
    if (font.Format != FontCompressedMonochrome && font.Format != FontCompressedGrey) {
        return font;
    }
    t_Font result = font;
    result.Data = lzwdecode(font.Data).Data;
    result.Format = font.Format == FontCompressedGrey ? FontGrey : FontMonochrome;
    return result;
}
