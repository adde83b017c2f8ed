// Any bytes as a TEI poem, through the TEI reader alone: decoded as the poem reader decodes a
// file, then read as XML. The reader either refuses with a message or gives verse lines that
// can stand as rows of a scansion file, each with the row of its <l>, in order. The first-pass
// target covers what the scan makes of them.

#include "firstpass/TeiReader.h"
#include "fuzz_platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using corvale::fuzz::Check;
namespace fp = corvale::firstpass;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::int32_t> rows;
    const auto read = fp::ReadTeiPoem(fp::DecodePoem(bytes).text, fp::PoemLimits{}, &rows);
    const auto* poem = std::get_if<fp::Poem>(&read);
    if (!poem) {
        Check(!std::get<fp::Refusal>(read).message.empty(), "a refusal without a message");
        return 0;
    }
    Check(!poem->verseLines.empty(), "a poem without verse lines was taken");
    Check(rows.size() == poem->verseLines.size(), "a verse line without its row");
    std::size_t i = 0;
    for (const std::string_view line : poem->verseLines) {
        Check(
            !line.empty() && line.find_first_of("\t\r\n") == std::string_view::npos &&
                line.front() != ' ' && line.back() != ' ' &&
                line.find("  ") == std::string_view::npos,
            "a verse line is empty, holds a tab, a row end or a run of spaces, or is not trimmed");
        Check(rows[i] >= 1 && (i == 0 || rows[i] >= rows[i - 1]), "rows out of order");
        ++i;
    }
    return 0;
}
