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

ScanOutputs::ScanOutputs(const OutputNames& names)
    : names_(names), meter_(names.meter), records_(names.scansion) {}

void ScanOutputs::TakeMeter(std::string_view meterFile) {
    meter_.Append(meterFile);
}

bool ScanOutputs::TakeRecords(std::string_view records) {
    return records_.Append(records) == 0;
}

bool ScanOutputs::HasFailed() const {
    return meter_.Error() != 0 || records_.Error() != 0;
}

WriteResult ScanOutputs::PutInPlace(WhenTaken whenTaken) {
    if (const int error = meter_.Error()) {
        return Failed(names_.meter, error);
    }
    if (const int error = records_.Error()) {
        return Failed(names_.scansion, error);
    }
    const bool replace = whenTaken == WhenTaken::Replace;
    const HeldSignals held;
    bool orphan = false;
    int error = meter_.Place(replace);
    if (error == EEXIST && IsOrphan(names_)) {
        orphan = true;
        error = meter_.Place(true);
    }
    if (error != 0) {
        return error == EEXIST ? Taken(names_.meter) : Failed(names_.meter, error);
    }
    error = records_.Place(replace);
    if (error != 0) {
        meter_.Remove();
        return error == EEXIST ? Taken(names_.scansion) : Failed(names_.scansion, error);
    }
    SyncFolderOfPath(names_.meter);
    SyncFolderOfPath(names_.scansion);
    return {WriteResult::Outcome::Written, {}, {}, orphan};
}

WriteResult WriteOutputs(const OutputNames& names, const Scansion& scansion, WhenTaken whenTaken) {
    ScanOutputs outputs(names);
    outputs.TakeMeter(scansion.meterFile);
    outputs.TakeRecords(scansion.scansionFile);
    return outputs.PutInPlace(whenTaken);
}

}  // namespace corvale::firstpass
