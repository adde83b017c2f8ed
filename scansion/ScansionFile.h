#pragma once

// The one way from a path to a loaded scansion file and its meter. The window's load, the
// exports, the profile and the comparison all take a file through LoadScansionFile, and each
// words its refusals for its own readers.

#include "platform/TextCodec.h"
#include "scansion/Journal.h"
#include "scansion/MeterFile.h"
#include "scansion/Refusal.h"
#include "scansion/Store.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace corvale {

struct LoadOptions {
    // The window's working folder, where a file without a meter file beside it finds
    // "meter.txt" last (MeterFileFor); empty for the tools.
    QString workingFolder;
    // A file whose first rows are not a record is refused at once (BeginsWithRecord), as the
    // tools refuse a file of another kind; otherwise the survey's refusal says what is wrong.
    bool mustBeginWithRecord = true;
    // The store is made at least this wide, so that a window keeps its columns.
    std::int32_t leastPositions = 0;
};

// A scansion file read whole: its verse lines in a store, how its bytes are shown, its meter as
// read, and what it held, for a save to know the file has not changed meanwhile.
struct LoadedScansion {
    Store store;
    Encoding encoding = Encoding::Utf8;
    MeterAsRead meter;
    // The records the file holds, verse lines 1..records; the store may number more (its last
    // row's number), which read as empty.
    std::int32_t records = 0;
    std::int32_t positions = 0;  // the most syllable positions any of its rows asks for
    ContentIdentity identity;
};

// Why a file was not loaded. The refusal holds the reader's message and row for NotTaken and
// BadRecord, and why the file could not be read for the reasons before them
// (ReadFailure::Reason); NotScansion leaves the wording to the caller.
struct LoadRefusal {
    enum class Why {
        NoSuchFile,
        NotAFile,       // a folder, a device, a link to nothing
        TooLarge,       // over kLargestReadableFile, before or while it was read
        Unreadable,     // it could not be opened or read
        NotScansion,    // with mustBeginWithRecord: its first rows are not a record
        InAnotherForm,  // with mustBeginWithRecord: a record in UTF-16 or with CR row ends;
                        // the refusal says how to save it (MendOfAnotherForm)
        NotTaken,       // the survey turned it down: too wide, no number of verse lines
        BadRecord,      // a record the reader found a fault in
    };
    Why why = Why::NoSuchFile;
    Refusal refusal;
};

// How to save a scansion file in a form the reader does not take, UTF-16 text or rows that
// end in CR alone, so that it is read: "as UTF-8", "with LF or CR LF row ends", or both
// joined by "and"; nullopt for any other bytes. `firstBytes` is the file's start.
std::optional<std::string> MendOfAnotherForm(std::string_view firstBytes);

std::variant<LoadedScansion, LoadRefusal> LoadScansionFile(const QString& path,
                                                           const LoadOptions& options = {});

// The same for bytes already read, as a file's: its meter is then left unread.
std::variant<LoadedScansion, LoadRefusal> ReadScansionBytes(std::string_view bytes,
                                                            const LoadOptions& options = {});

}  // namespace corvale
