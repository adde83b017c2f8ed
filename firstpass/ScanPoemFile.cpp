// The first pass's one way in from a file, shared by the window's "Scan a poem" and corvale-scan.
#include "firstpass/PoemReader.h"

namespace corvale::firstpass {

std::variant<Scansion, Refusal, Cancelled> ScanPoemFile(const QString& path,
                                                        const Options& options) {
    std::vector<std::int32_t> rows;
    std::variant<Poem, Refusal> poem = ReadPoemFileWithin(path, {}, &rows);
    if (auto* refusal = std::get_if<Refusal>(&poem)) {
        return std::move(*refusal);
    }
    std::variant<Scansion, Refusal, Cancelled> result = Scan(std::get<Poem>(poem), options);
    if (auto* scansion = std::get_if<Scansion>(&result)) {
        scansion->warnings = std::move(std::get<Poem>(poem).warnings);
    }
    // The scan names a verse line by its number; the file names the row it stands on.
    if (auto* refusal = std::get_if<Refusal>(&result); refusal != nullptr) {
        const std::int64_t line = refusal->row;
        refusal->row =
            line > 0 && line <= std::ssize(rows) ? rows[static_cast<std::size_t>(line - 1)] : 0;
    }
    return result;
}

}  // namespace corvale::firstpass
