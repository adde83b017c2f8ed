#pragma once

// Putting a scan's two outputs in place: the scansion file and its meter file. The one writer
// of the window's "Scan a poem" and of corvale-scan, which keep their own answers to a name that
// is taken: the window asks for another name, corvale-scan skips the poem or, with --force,
// replaces the files.

#include "firstpass/FirstPass.h"
#include "platform/OutputFile.h"

#include <QString>

#include <optional>
#include <string>

namespace corvale::firstpass {

enum class WhenTaken { Skip, Replace };

// The output name that stops the outputs from being written without replacing a file: the
// scansion file's when anything stands there (a link to nothing included), else the meter
// file's when anything but an orphan stands there. An orphan meter file is an ordinary file
// whose scansion file is missing, as a run killed between its two renames leaves: it never
// blocks a scan, and is replaced.
std::optional<QString> BlockingOutput(const OutputNames& names);

struct WriteResult {
    enum class Outcome { Written, Taken, Failed };
    Outcome outcome = Outcome::Written;
    QString file;                 // Taken: the name found taken; Failed: the file not written
    std::string reason;           // Failed: what the system said
    bool replacedOrphan = false;  // Written: an orphan meter file was replaced
};

// A scan's two outputs as the scan makes them (ScanInto), written under temporary names in their
// folders, then put in place by PutInPlace as WriteOutputs puts them.
class ScanOutputs : public ScanSink {
public:
    explicit ScanOutputs(const OutputNames& names);
    void TakeMeter(std::string_view meterFile) override;
    // False once a write has failed.
    bool TakeRecords(std::string_view records) override;
    bool HasFailed() const;
    // A failed write is reported here, before anything is put in place.
    WriteResult PutInPlace(WhenTaken whenTaken);

private:
    OutputNames names_;
    OutputFile meter_;
    OutputFile records_;
};

// Writes both files in full under temporary names in their folders, then puts the meter file
// in place and then the scansion file. Without WhenTaken::Replace neither rename replaces a
// file, an orphan meter file apart, so of two runs writing the same names at once only one
// wins. Ctrl+C, SIGTERM and SIGHUP wait until both renames are done, so such a run leaves both
// files or neither; a run killed outright leaves at most an orphan meter file. A failure, or a
// name found taken, removes whatever this call put in place.
WriteResult WriteOutputs(const OutputNames& names, const Scansion& scansion, WhenTaken whenTaken);

}  // namespace corvale::firstpass
