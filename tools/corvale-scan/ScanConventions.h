#pragma once

// The conventions corvale-scan scans with: read from --conventions FILE or the current folder's
// conventions.txt, learned from corrected scansion files (--learn-from), and saved
// (--save-conventions).

#include "firstpass/Conventions.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <ostream>
#include <string>

namespace corvale {

struct ConventionsRequest {
    QString file;           // --conventions; empty: conventions.txt in the current folder, if any
    QStringList learnFrom;  // --learn-from, each corrected scansion file once
    QString saveTo;         // --save-conventions; empty: nothing saved
    bool force = false;     // a file at saveTo may be replaced
};

struct SettledConventions {
    firstpass::Conventions conventions;
    // How a scan's summary names them: "default conventions", "conventions of FILE",
    // "conventions learned from 2 corrected files".
    std::string name;
    bool allDone = true;  // false when a save asked for was not made
};

// Settles the conventions as asked. What was learned goes to `out`, one row per convention with
// its default and learned value; problems go to `err` as "file:row: message". nullopt when a
// file named could not be taken (a conventions file or a corrected file refused): then nothing
// is to be scanned.
std::optional<SettledConventions> SettleConventions(const ConventionsRequest& request,
                                                    std::ostream& out, std::ostream& err);

}  // namespace corvale
