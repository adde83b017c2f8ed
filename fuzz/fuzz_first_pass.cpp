// Any bytes as a poem, through the whole first pass: reading, then scanning with the
// pronunciation engine. A poem the reader takes is either scanned or refused, and a scan gives
// one four-row record per verse line that names the line as the poem wrote it, and a meter.

#include "firstpass/FirstPass.h"
#include "fuzz_platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using corvale::fuzz::Check;
namespace fp = corvale::firstpass;

// Every record's rows: number, kind, the verse line's text, ending CR LF.
void CheckRecords(const fp::Poem& poem, const fp::Scansion& scansion) {
    std::string_view rest = scansion.scansionFile;
    std::size_t number = 0;
    for (const std::string_view line : poem.verseLines) {
        ++number;
        for (const std::string_view kind : corvale::kRowKeywords) {
            const std::size_t end = rest.find("\r\n");
            Check(end != std::string_view::npos, "a record has too few rows");
            const std::string start =
                std::to_string(number) + '\t' + std::string(kind) + '\t' + std::string(line);
            const std::string_view row = rest.substr(0, end);
            Check(row.substr(0, start.size()) == start &&
                      (row.size() == start.size() || row[start.size()] == '\t'),
                  "a row does not begin with its number, kind and verse line");
            rest.remove_prefix(end + 2);
        }
    }
    Check(rest.empty(), "rows after the last record");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = fp::ReadPoem(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto* poem = std::get_if<fp::Poem>(&read);
    if (!poem) {
        Check(!std::get<fp::Refusal>(read).message.empty(), "a refusal without a message");
        return 0;
    }
    for (const std::string_view line : poem->verseLines) {
        Check(!line.empty() && line.find_first_of("\t\r\n") == std::string_view::npos,
              "a verse line is empty or holds a tab or a row end");
    }
    const auto scanned = fp::Scan(*poem);
    Check(!std::holds_alternative<fp::Cancelled>(scanned), "a scan without progress cancelled");
    if (const auto* scansion = std::get_if<fp::Scansion>(&scanned)) {
        Check(scansion->verseLines == std::ssize(poem->verseLines), "verse lines miscounted");
        Check(scansion->meterFile.ends_with("\r\n"), "the meter file's row does not end");
        CheckRecords(*poem, *scansion);
        Check(std::holds_alternative<fp::Refusal>(fp::ReadPoem(scansion->scansionFile)),
              "a scansion file was read as a poem");
    }
    return 0;
}
