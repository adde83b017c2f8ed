#include "ToolHabits.h"

#include "platform/FileAtPath.h"
#include "platform/TextCodec.h"
#include "scansion/OwnFiles.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvale::tools {

namespace {

// A standard stream the shell closed is held on /dev/null, opened for the other direction: no
// file the tool opens can take its number and receive what the tool prints there, and a write to
// it fails, to be reported like any other.
void HoldClosedStandardStreams() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        }
    }
}

}  // namespace

int ToolMain(int argc, char* argv[], std::string_view program, ToolRun run) {
    HoldClosedStandardStreams();
    const QCoreApplication application(argc, argv);
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << PathFromBytes(argv[i]);
    }
    int status =
        RunWithinMemory(std::cerr, program, [&] { return run(arguments, std::cout, std::cerr); });
    status = CheckedOutput(std::cout, std::cerr, program, status);
    // Closing can fail too, on a file system that writes late. A stream the shell closed holds
    // nothing to lose when nothing was written to it.
    if (std::fclose(stdout) != 0 && errno != EBADF && status == 0) {
        std::cerr << program << ": write error on standard output: " << std::strerror(errno)
                  << '\n';
        status = 1;
    }
    return status;
}

int RunWithinMemory(std::ostream& err, std::string_view program, const std::function<int()>& run) {
    try {
        return run();
    } catch (const std::bad_alloc&) {
    } catch (const std::system_error& error) {
        // A thread that cannot be started for want of memory is the same failure.
        if (error.code() != std::errc::resource_unavailable_try_again &&
            error.code() != std::errc::not_enough_memory) {
            throw;
        }
    }
    err << program << ": out of memory\n";
    return 1;
}

int CheckedOutput(std::ostream& out, std::ostream& err, std::string_view program, int status) {
    errno = 0;
    out.flush();
    if (out.good()) {
        return status;
    }
    const int error = errno;
    err << program << ": write error on standard output";
    if (error != 0) {
        err << ": " << std::strerror(error);
    }
    err << "; the results are incomplete\n";
    return std::max(status, 1);
}

int UsageError(std::ostream& err, std::string_view program, std::string_view message) {
    err << program << ": " << message << "\nTry '" << program << " --help'.\n";
    return kUsageError;
}

void Complain(std::ostream& err, const QString& file, std::int64_t row, std::string_view message) {
    err << PathBytes(file) << ':';
    if (row > 0) {
        err << row << ':';
    }
    err << ' ' << message << '\n';
}

void NoteRowsLeftAlone(std::ostream& err, const MeterAsRead& meter) {
    if (meter.row && HoldsSymbolsPastItsEnd(*meter.row)) {
        Complain(err, meter.path, 1,
                 "note: the meter ends at its first empty field, and the symbols after it are "
                 "not counted");
    }
    const std::int32_t left = meter.rows.leftAlone;
    if (left == 0) {
        return;
    }
    Complain(err, meter.path, meter.rows.firstLeftAlone,
             "note: left alone, not a meter: a meter's row holds only symbols the first row uses, "
             "and a file at most " +
                 std::to_string(kMostMeters) + " meters" +
                 (left > 1 ? " (" + std::to_string(left - 1) + " more row" + (left > 2 ? "s" : "") +
                                 " like it)"
                           : ""));
}

namespace {

// The file at `path` as the system knows it, by device and inode: every way to it, a link or a
// hard link, gives the same; nullopt when nothing is there.
std::optional<std::string> Identity(const QString& path) {
    const std::string bytes = PathBytes(path);
    struct stat file {};
    if (bytes.empty() || ::stat(bytes.c_str(), &file) != 0) {
        return std::nullopt;
    }
    return std::to_string(file.st_dev) + ':' + std::to_string(file.st_ino);
}

}  // namespace

bool IsOneOf(const QStringList& files, const QString& path) {
    const std::optional<std::string> target = Identity(path);
    return target && std::any_of(files.begin(), files.end(), [&target](const QString& file) {
               return Identity(file) == target;
           });
}

bool FilesNamed::FirstTime(const QString& path) {
    return met_.insert(Identity(path).value_or(PathBytes(QFileInfo(path).absoluteFilePath())))
        .second;
}

Intake IntakeOf(const QString& path) {
    if (const std::optional<OwnFile> own = CorvalesOwnFile(path)) {
        return own->kind == OwnFile::Kind::Scansion ? Intake{}
                                                    : Intake{Intake::Kind::PassOver, own->what};
    }
    // A file that can be read but is not Corvale's: the tool's reader says why it is no
    // scansion file.
    const bool readable = std::holds_alternative<std::string>(ReadFileBeginning(path, 1));
    return readable ? Intake{Intake::Kind::NotScansion, {}} : Intake{};
}

int EachScansionFile(const QStringList& files, std::ostream& err, std::string_view done,
                     const std::function<bool(const QString&)>& one) {
    FilesNamed named;
    bool failed = false;
    bool notScansion = false;
    bool doneAny = false;
    for (const QString& file : files) {
        if (!named.FirstTime(file)) {
            Complain(err, file, 0, "note: named twice, " + std::string(done) + " once");
            continue;
        }
        const Intake intake = IntakeOf(file);
        if (intake.kind == Intake::Kind::PassOver) {
            Complain(err, file, 0,
                     "passed over: " + intake.what + " is Corvale's own, not a scansion file");
        } else if (one(file)) {
            doneAny = true;
        } else if (intake.kind == Intake::Kind::NotScansion) {
            notScansion = true;
        } else {
            failed = true;
        }
    }
    return failed || (notScansion && !doneAny) ? 1 : 0;
}

}  // namespace corvale::tools
