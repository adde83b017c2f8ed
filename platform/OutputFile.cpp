#include "platform/OutputFile.h"

#include "platform/TextCodec.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvale {

namespace {

constexpr int kNameTries = 100;

std::string FolderOf(const QString& path) {
    return PathBytes(QFileInfo(path).absolutePath());
}

// A hidden name beside `target` that nothing else uses, for a file on its way there.
std::string TemporaryName(const QString& target) {
    return FolderOf(target) + "/." + PathBytes(QFileInfo(target).fileName()) + '.' +
           std::to_string(QRandomGenerator::global()->generate()) + ".tmp";
}

}  // namespace

OutputFile::OutputFile(const QString& target, std::string descriptorFolder)
    : target_(target),
      targetName_(PathBytes(target)),
      descriptorFolder_(std::move(descriptorFolder)) {
    fd_ = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // An unnamed file can take its name only through the descriptor folder.
    if (fd_ >= 0 && ::access(DescriptorPath().c_str(), F_OK) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
    for (int i = 0; fd_ < 0 && i < kNameTries; ++i) {
        hidden_ = TemporaryName(target);
        fd_ = ::open(hidden_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            break;
        }
    }
    error_ = fd_ < 0 ? errno : 0;
    if (fd_ < 0) {
        hidden_.clear();
    }
}

OutputFile::~OutputFile() {
    if (!hidden_.empty()) {
        ::unlink(hidden_.c_str());
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int OutputFile::Append(std::string_view bytes) {
    while (error_ == 0 && !bytes.empty()) {
        const ssize_t done = ::write(fd_, bytes.data(), bytes.size());
        if (done < 0 && errno != EINTR) {
            error_ = errno;
        }
        bytes.remove_prefix(done > 0 ? static_cast<std::size_t>(done) : 0);
    }
    return error_;
}

int OutputFile::Place(bool replace) {
    if (error_ == 0 && ::fsync(fd_) != 0) {
        error_ = errno;
    }
    if (error_ != 0) {
        return error_;
    }
    const char* target = targetName_.c_str();
    if (hidden_.empty() && !replace) {
        // A link, unlike a rename, never replaces what stands at its name.
        const int linked =
            ::linkat(AT_FDCWD, DescriptorPath().c_str(), AT_FDCWD, target, AT_SYMLINK_FOLLOW);
        return linked == 0 ? 0 : errno;
    }
    if (hidden_.empty() && !Materialise()) {
        return errno;
    }
    const char* hidden = hidden_.c_str();
    if (replace) {
        // A rename replaces a link standing at the target, not the file it points to.
        return Placed(std::rename(hidden, target));
    }
    const int renamed = ::renameat2(AT_FDCWD, hidden, AT_FDCWD, target, RENAME_NOREPLACE);
    if (renamed == 0 || (errno != EINVAL && errno != ENOSYS)) {
        return Placed(renamed);
    }
    // A file system without the no-replace rename: a hard link cannot replace either.
    if (::link(hidden, target) != 0) {
        return errno;
    }
    ::unlink(hidden);
    return Placed(0);
}

void OutputFile::Remove() const {
    struct stat mine {};
    struct stat there {};
    if (::fstat(fd_, &mine) == 0 && ::lstat(targetName_.c_str(), &there) == 0 &&
        mine.st_dev == there.st_dev && mine.st_ino == there.st_ino) {
        ::unlink(targetName_.c_str());
    }
}

std::string OutputFile::DescriptorPath() const {
    return descriptorFolder_ + '/' + std::to_string(fd_);
}

int OutputFile::Placed(int status) {
    if (status != 0) {
        return errno;
    }
    hidden_.clear();
    return 0;
}

// Gives the unnamed file a hidden name, to be renamed over the target.
bool OutputFile::Materialise() {
    for (int i = 0; i < kNameTries; ++i) {
        std::string name = TemporaryName(target_);
        if (::linkat(AT_FDCWD, DescriptorPath().c_str(), AT_FDCWD, name.c_str(),
                     AT_SYMLINK_FOLLOW) == 0) {
            hidden_ = std::move(name);
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

std::string WriteOutputFile(const QString& path, std::string_view bytes, bool replace) {
    OutputFile file(path);
    int error = file.Append(bytes);
    if (error == 0) {
        error = file.Place(replace);
    }
    if (error == 0) {
        SyncFolderOfPath(path);
        return {};
    }
    if (error == EEXIST) {
        return "it exists";
    }
    if (error == EISDIR) {
        return "it is a folder";
    }
    return std::strerror(error);
}

void SyncFolderOfPath(const QString& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace corvale
