#include "firstpass/OutputWriter.h"

#include "firstpass/HeldSignals.h"
#include "platform/OutputFile.h"
#include "platform/TextCodec.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace corvale::firstpass {

namespace {

bool Occupied(const QString& path, bool* ordinary = nullptr) {
    struct stat status {};
    const bool there = ::lstat(PathBytes(path).c_str(), &status) == 0;
    if (ordinary) {
        *ordinary = there && S_ISREG(status.st_mode);
    }
    return there;
}

bool IsOrphan(const OutputNames& names) {
    bool ordinary = false;
    return Occupied(names.meter, &ordinary) && ordinary && !Occupied(names.scansion);
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
    OutputFile meter(names.meter);
    OutputFile records(names.scansion);
    if (const int error = meter.Append(scansion.meterFile)) {
        return Failed(names.meter, error);
    }
    if (const int error = records.Append(scansion.scansionFile)) {
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
    SyncFolderOfPath(names.meter);
    SyncFolderOfPath(names.scansion);
    return {WriteResult::Outcome::Written, {}, {}, orphan};
}

}  // namespace corvale::firstpass
