// Reading a poem file from any path. The file is only ever read, so it may lie outside the
// program's folder. It is opened without blocking and checked again once open, so a FIFO (or a
// file swapped for one meanwhile) can never make the reader wait for a writer.
#include "firstpass/PoemReader.h"

#include <QFile>

#include <array>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvale::firstpass {

namespace {

Refusal CannotRead(int error) {
    return {std::string("The poem file cannot be read: ") + std::strerror(error) + ".", 0};
}

std::optional<Refusal> RefuseKind(const struct stat& status) {
    if (S_ISDIR(status.st_mode)) {
        return Refusal{"This is a folder, not a poem file.", 0};
    }
    if (!S_ISREG(status.st_mode)) {
        return Refusal{
            "This is not an ordinary file (a FIFO, a device or a socket): Corvale "
            "reads poems from ordinary files only.",
            0};
    }
    return std::nullopt;
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

}  // namespace

std::variant<std::string, Refusal> ReadPoemBytes(const QString& path, const PoemLimits& limits) {
    const QByteArray name = QFile::encodeName(path);
    if (path.isEmpty() || name.contains('\0')) {
        return Refusal{"No poem file is named.", 0};
    }
    struct stat status {};
    if (::stat(name.constData(), &status) != 0) {
        if (errno == ENOENT) {
            return Refusal{"There is no such poem file.", 0};
        }
        return CannotRead(errno);
    }
    if (std::optional<Refusal> refusal = RefuseKind(status)) {
        return *refusal;
    }
    if (status.st_size > limits.largestFile) {
        return TooLarge(limits);
    }
    Descriptor file{::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        return CannotRead(errno);
    }
    if (::fstat(file.fd, &status) != 0) {
        return CannotRead(errno);
    }
    if (std::optional<Refusal> refusal = RefuseKind(status)) {
        return *refusal;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    std::array<char, 64 * 1024> chunk;
    for (;;) {
        const ssize_t got = ::read(file.fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return CannotRead(errno);
        }
        if (got == 0) {
            break;
        }
        if (std::ssize(bytes) + got > limits.largestFile) {
            return TooLarge(limits);  // it grew while being read
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
    return bytes;
}

std::variant<Poem, Refusal> ReadPoemFileWithin(const QString& path, const PoemLimits& limits,
                                               std::vector<std::int32_t>* rows) {
    std::variant<std::string, Refusal> read = ReadPoemBytes(path, limits);
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return std::move(*refusal);
    }
    std::string& bytes = std::get<std::string>(read);
    if (std::optional<Refusal> refusal = RefuseBytes(bytes, limits)) {
        return *refusal;
    }
    DecodedPoem decoded = DecodePoem(bytes);
    const std::size_t size = bytes.size();
    std::string().swap(bytes);  // a long poem is held once, decoded, not twice
    return ReadDecoded(std::move(decoded), size, limits, rows);
}

}  // namespace corvale::firstpass
