// The first pass's one way in from a file, shared by the window's "Scan a poem" and corvale-scan.
#include "firstpass/PoemReader.h"

namespace corvale::firstpass {

namespace {

// Reads the poem and scans it through `scan`, giving the reader's warnings to the summary and
// turning a refusal's verse line into the row it stands on.
template <typename Result, typename ScanOf>
std::variant<Result, Refusal, Cancelled> ReadAndScan(const QString& path, ScanOf scan) {
    std::vector<std::int32_t> rows;
    std::variant<Poem, Refusal> poem = ReadPoemFileWithin(path, {}, &rows);
    if (auto* refusal = std::get_if<Refusal>(&poem)) {
        return std::move(*refusal);
    }
    std::variant<Result, Refusal, Cancelled> result = scan(std::get<Poem>(poem));
    if (auto* scanned = std::get_if<Result>(&result)) {
        scanned->warnings = std::move(std::get<Poem>(poem).warnings);
    }
    // The scan names a verse line by its number; the file names the row it stands on.
    if (auto* refusal = std::get_if<Refusal>(&result); refusal != nullptr) {
        const std::int64_t line = refusal->row;
        refusal->row =
            line > 0 && line <= std::ssize(rows) ? rows[static_cast<std::size_t>(line - 1)] : 0;
    }
    return result;
}

}  // namespace

std::variant<Scansion, Refusal, Cancelled> ScanPoemFile(const QString& path,
                                                        const Options& options) {
    return ReadAndScan<Scansion>(path,
                                 [&options](const Poem& poem) { return Scan(poem, options); });
}

std::variant<ScanSummary, Refusal, Cancelled> ScanPoemFileInto(const QString& path,
                                                               const Options& options,
                                                               ScanSink& sink) {
    return ReadAndScan<ScanSummary>(
        path, [&](const Poem& poem) { return ScanInto(poem, options, sink); });
}

}  // namespace corvale::firstpass
