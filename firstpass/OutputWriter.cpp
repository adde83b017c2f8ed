#include "firstpass/OutputWriter.h"

#include "firstpass/HeldSignals.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvale::firstpass {

namespace {

constexpr int kNameTries = 100;

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

std::string FolderOf(const QString& path) {
    return Native(QFileInfo(path).absolutePath());
}

// A hidden name beside `target` that nothing else uses, for a file on its way there.
std::string TemporaryName(const QString& target) {
    return FolderOf(target) + "/." + Native(QFileInfo(target).fileName()) + '.' +
           std::to_string(QRandomGenerator::global()->generate()) + ".tmp";
}

bool Occupied(const QString& path, bool* ordinary = nullptr) {
    struct stat status {};
    const bool there = ::lstat(Native(path).c_str(), &status) == 0;
    if (ordinary) {
        *ordinary = there && S_ISREG(status.st_mode);
    }
    return there;
}

bool IsOrphan(const OutputNames& names) {
    bool ordinary = false;
    return Occupied(names.meter, &ordinary) && ordinary && !Occupied(names.scansion);
}

// One output on its way to its name. It is written unnamed (O_TMPFILE) where the file system
// allows, so that a run killed while writing leaves nothing behind, else under a hidden name.
class PendingFile {
public:
    explicit PendingFile(const QString& target) : target_(target), targetName_(Native(target)) {
        fd_ = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
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
    ~PendingFile() {
        if (!hidden_.empty()) {
            ::unlink(hidden_.c_str());
        }
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // All the bytes, on disk. 0, or the error.
    int Write(std::string_view bytes) {
        while (error_ == 0 && !bytes.empty()) {
            const ssize_t done = ::write(fd_, bytes.data(), bytes.size());
            if (done < 0 && errno != EINTR) {
                error_ = errno;
            }
            bytes.remove_prefix(done > 0 ? static_cast<std::size_t>(done) : 0);
        }
        if (error_ == 0 && ::fsync(fd_) != 0) {
            error_ = errno;
        }
        return error_;
    }

    // Gives the file its name: 0, or the error (EEXIST when the name is taken and may not be
    // replaced).
    int Place(bool replace) {
        const char* target = targetName_.c_str();
        if (hidden_.empty() && !replace) {
            // A link, unlike a rename, never replaces what stands at its name.
            const int linked =
                ::linkat(AT_FDCWD, ProcPath().c_str(), AT_FDCWD, target, AT_SYMLINK_FOLLOW);
            return linked == 0 ? 0 : errno;
        }
        if (hidden_.empty() && !Materialise()) {
            return errno;
        }
        const char* hidden = hidden_.c_str();
        if (replace) {
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

    // Removes the file from its name, if the name still holds this file.
    void Remove() const {
        struct stat mine {};
        struct stat there {};
        if (::fstat(fd_, &mine) == 0 && ::lstat(targetName_.c_str(), &there) == 0 &&
            mine.st_dev == there.st_dev && mine.st_ino == there.st_ino) {
            ::unlink(targetName_.c_str());
        }
    }

private:
    std::string ProcPath() const { return "/proc/self/fd/" + std::to_string(fd_); }

    int Placed(int status) {
        if (status != 0) {
            return errno;
        }
        hidden_.clear();
        return 0;
    }

    // Gives the unnamed file a hidden name, to be renamed over the target.
    bool Materialise() {
        for (int i = 0; i < kNameTries; ++i) {
            std::string name = TemporaryName(target_);
            if (::linkat(AT_FDCWD, ProcPath().c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) ==
                0) {
                hidden_ = std::move(name);
                return true;
            }
            if (errno != EEXIST) {
                return false;
            }
        }
        return false;
    }

    QString target_;
    std::string targetName_;
    std::string hidden_;  // the hidden name, while the file has one
    int fd_ = -1;
    int error_ = 0;
};

// Has the folder's entries on disk, so that the new names survive a power cut.
void SyncFolderOf(const QString& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

WriteResult Failed(const QString& file, int error) {
    return {WriteResult::Outcome::Failed, file, std::strerror(error), false};
}

WriteResult Taken(const QString& file) {
    return {WriteResult::Outcome::Taken, file, {}, false};
}

}  // namespace

std::optional<QString> BlockingOutput(const OutputNames& names) {
    if (Occupied(names.scansion)) {
        return names.scansion;
    }
    if (Occupied(names.meter) && !IsOrphan(names)) {
        return names.meter;
    }
    return std::nullopt;
}

WriteResult WriteOutputs(const OutputNames& names, const Scansion& scansion, WhenTaken whenTaken) {
    const bool replace = whenTaken == WhenTaken::Replace;
    PendingFile meter(names.meter);
    PendingFile records(names.scansion);
    if (const int error = meter.Write(scansion.meterFile)) {
        return Failed(names.meter, error);
    }
    if (const int error = records.Write(scansion.scansionFile)) {
        return Failed(names.scansion, error);
    }
    const HeldSignals held;
    bool orphan = false;
    int error = meter.Place(replace);
    if (error == EEXIST && IsOrphan(names)) {
        orphan = true;
        error = meter.Place(true);
    }
    if (error != 0) {
        return error == EEXIST ? Taken(names.meter) : Failed(names.meter, error);
    }
    error = records.Place(replace);
    if (error != 0) {
        meter.Remove();
        return error == EEXIST ? Taken(names.scansion) : Failed(names.scansion, error);
    }
    SyncFolderOf(names.meter);
    SyncFolderOf(names.scansion);
    return {WriteResult::Outcome::Written, {}, {}, orphan};
}

}  // namespace corvale::firstpass
