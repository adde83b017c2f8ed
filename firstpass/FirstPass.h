#pragma once

// Corvale's first pass: from a plain poem to a scansion file and a meter, ready to correct in
// the window. Toolkit-free (Qt Core only), shared by the window's "Scan a poem" and by the
// corvale-scan command line tool. Scan may be called from any thread; the library makes every
// call into its pronunciation engine from one dedicated thread of its own.

#include "firstpass/MeterChoice.h"
#include "firstpass/VerseLines.h"
#include "scansion/RecordFormat.h"
#include "scansion/Refusal.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvale::firstpass {

// Limits a poem must keep to. A poem past one is refused with a message that names the limit.
inline constexpr std::int64_t kLargestPoemFile = std::int64_t{64} << 20;
inline constexpr std::int64_t kMostVerseLines = 10'000'000;
inline constexpr std::int32_t kMostSyllablesInALine = kMostPositions;  // columns

// Why a poem was not scanned; its row is the poem's.
using corvale::Refusal;

// Something the reader took as best it could, worth telling the user; its row is the poem's.
// Tools print it as "file:row: message".
struct Warning {
    std::string message;
    std::int64_t row = 0;
};

// A poem's verse lines in order, as written: trimmed, any tab or other control character turned
// into a space, soft hyphens dropped, UTF-8. Blank rows separate stanzas and are not verse lines.
struct Poem {
    VerseLines verseLines;
    std::vector<Warning> warnings = {};  // so that Poem{lines} needs none
};

// Reads a poem from its bytes: UTF-8 with or without BOM, UTF-16 with BOM, anything else as
// Windows-1252; rows end with CR LF, LF, CR, U+2028, U+2029 or U+0085. Mostly UTF-8 with a few
// bad bytes is still UTF-8, with a warning. A TEI file (known by its start: "<?xml",
// "<!DOCTYPE" or "<TEI" after any BOM and blanks) gives the text of each <l> as a verse line.
// Refuses a poem that is too large, holds NUL bytes (UTF-16 without a BOM among them), has too
// many verse lines, has none or none with a word in it, already is a scansion file, or is a TEI
// file that the XML reader cannot take whole.
std::variant<Poem, Refusal> ReadPoem(std::string_view bytes);
// The same from a file at any path: a poem may lie outside the program's folder, since it is
// only read. Also refuses a folder, a FIFO, a link to either, and a file that cannot be read.
std::variant<Poem, Refusal> ReadPoemFile(const QString& path);

// Called from the scanning thread with the verse lines done and their total; returning false
// cancels the scan.
using Progress = std::function<bool(std::int64_t done, std::int64_t total)>;

struct Options {
    // Imposed meters, the main meter first, each one symbol ("W" or "S") per place. Empty: the
    // pass finds the meters.
    std::vector<std::vector<std::string>> meters;
    Progress progress;
    MeterCosts costs = {};  // what a further meter has to save to be found (FindMeters)
};

// What a scan found, besides its outputs.
struct ScanSummary {
    // The meters found, the main first: "iambic pentameter", "iambic tetrameter + iambic
    // trimeter", ...; "imposed" for an imposed meter, "2 imposed meters" for several.
    std::string meterName;
    std::int64_t verseLines = 0;
    std::int64_t syllables = 0;
    std::int64_t linesFitting = 0;       // lines the meter check finds fitting their own meter
    std::vector<Warning> warnings = {};  // the reader's, from ScanPoemFile
};

struct Scansion : ScanSummary {
    // Four rows a verse line, CR LF, UTF-8. A line's comment names the words whose reading its
    // meter changed ("fire: 1 syllable for the meter (2 spoken)").
    std::string scansionFile;
    std::string meterFile;  // a row a meter, the main first: its symbols separated by tabs, CR LF
};

struct Cancelled {};

// A refusal's row is the number of the verse line it concerns: only the reader knows the rows.
std::variant<Scansion, Refusal, Cancelled> Scan(const Poem& poem, const Options& options = {});
// Reads the poem file at `path` (ReadPoemFile) and scans it: the first pass from a file. A
// refusal's row is the file's row, the scan's verse line turned into the row it stands on.
std::variant<Scansion, Refusal, Cancelled> ScanPoemFile(const QString& path,
                                                        const Options& options = {});

// Where a scan's outputs go as they are made, so that a long poem's output is never held whole.
class ScanSink {
public:
    virtual ~ScanSink() = default;
    // The meter file (Scansion::meterFile): once, before any records.
    virtual void TakeMeter(std::string_view meterFile) = 0;
    // The records of the next verse lines, in order. False when they cannot be taken, which
    // ends the scan as Cancelled.
    virtual bool TakeRecords(std::string_view records) = 0;
};

// Scan and ScanPoemFile, giving the outputs to `sink` in batches of verse lines as they are
// scanned. Without imposed meters the poem is read twice, once to find the meters and once to
// write, so that only a batch of scanned lines is ever held. What reaches the sink is byte for
// byte what Scan gives; after a refusal, what reached it is to be thrown away.
std::variant<ScanSummary, Refusal, Cancelled> ScanInto(const Poem& poem, const Options& options,
                                                       ScanSink& sink);
std::variant<ScanSummary, Refusal, Cancelled> ScanPoemFileInto(const QString& path,
                                                               const Options& options,
                                                               ScanSink& sink);

// Starts the pronunciation engine's thread if it is not running yet, and waits until it is
// ready. Scan does this itself; a program calls it early, before it starts threads of its own,
// because starting the engine sets the process's LC_CTYPE.
void StartPronunciationEngine();

// The names the outputs of a poem file take: "POEM.txt" (or "POEM") gives "POEM.scansion.txt"
// and "POEM.scansion.meter.txt", in the same folder.
struct OutputNames {
    QString scansion;
    QString meter;
};
OutputNames OutputNamesFor(const QString& poemFileName);

}  // namespace corvale::firstpass
