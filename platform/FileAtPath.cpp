#include "platform/FileAtPath.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvale {

namespace {

std::optional<ReadFailure> RefuseKind(const struct stat& status) {
    if (S_ISDIR(status.st_mode)) {
        return ReadFailure{ReadFailure::Why::Folder};
    }
    if (!S_ISREG(status.st_mode)) {
        return ReadFailure{ReadFailure::Why::NotOrdinary};
    }
    return std::nullopt;
}

ReadFailure SystemFailure() {
    return {ReadFailure::Why::System, errno};
}

// Closes the descriptor however the read ends.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// Reads the file; past `mostBytes` it is refused, or with `cut` cut there.
std::variant<std::string, ReadFailure> Read(const QString& path, std::int64_t mostBytes, bool cut) {
    const std::string name = PathBytes(path);
    if (name.empty() || name.find('\0') != std::string::npos) {
        return ReadFailure{ReadFailure::Why::NotNamed};
    }
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0) {
        return errno == ENOENT ? ReadFailure{ReadFailure::Why::Missing} : SystemFailure();
    }
    if (std::optional<ReadFailure> refusal = RefuseKind(status)) {
        return *refusal;
    }
    if (status.st_size > mostBytes && !cut) {
        return ReadFailure{ReadFailure::Why::TooLarge};
    }
    Descriptor file{::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0) {
        return SystemFailure();
    }
    if (std::optional<ReadFailure> refusal = RefuseKind(status)) {
        return *refusal;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(std::min<std::int64_t>(status.st_size, mostBytes)));
    std::array<char, 64 * 1024> chunk;
    for (;;) {
        const ssize_t got = ::read(file.fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return SystemFailure();
        }
        if (got == 0) {
            return bytes;
        }
        if (std::ssize(bytes) + got > mostBytes && cut) {
            bytes.append(chunk.data(), static_cast<std::size_t>(mostBytes - std::ssize(bytes)));
            return bytes;
        }
        if (std::ssize(bytes) + got > mostBytes) {
            return ReadFailure{ReadFailure::Why::TooLarge};  // it grew while being read
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

}  // namespace

std::string ReadFailure::Reason() const {
    switch (why) {
        case Why::NotNamed:
            return "no file is named";
        case Why::Missing:
            return "there is no such file";
        case Why::Folder:
            return "it is a folder";
        case Why::NotOrdinary:
            return "it is not an ordinary file (a FIFO, a device or a socket)";
        case Why::TooLarge:
            return "it is larger than the most Corvale reads";
        case Why::System:
            break;
    }
    return std::strerror(error);
}

std::variant<std::string, ReadFailure> ReadFileAtPath(const QString& path, std::int64_t mostBytes) {
    return Read(path, mostBytes, false);
}

std::variant<std::string, ReadFailure> ReadFileBeginning(const QString& path,
                                                         std::int64_t mostBytes) {
    return Read(path, mostBytes, true);
}

}  // namespace corvale
