// Writing the store back in the scansion file's format.

#include "scansion/Numbers.h"
#include "scansion/RecordFormat.h"
#include "scansion/Workspace.h"

#include <algorithm>
#include <array>

namespace corvale {

namespace {

constexpr std::array<const char*, 3> kValueKeywords = {"syllables", "stress", "juncture"};

// A field cannot hold a line break or a tab: each CR LF, lone CR, lone LF or tab becomes one
// space, so the row stays one row and the field stays one field when the file is read again.
bool NeedsMending(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c == '\r' || c == '\n' || c == '\t'; });
}

void AppendMended(std::string& out, std::string_view text) {
    if (!NeedsMending(text)) {
        out.append(text);
        return;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        out += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    }
}

// A value is written after its tab, trimmed of spaces; a blank one leaves its field empty, so
// the values after it keep their positions. Gives whether the value was blank.
bool AppendValue(std::string& out, std::string_view value, std::string& scratch) {
    if (NeedsMending(value)) {
        scratch.clear();
        AppendMended(scratch, value);
        value = scratch;
    }
    const std::string_view trimmed = num::Trim(value);
    out += '\t';
    out.append(trimmed);
    return trimmed.empty();
}

void AppendHead(std::string& out, const std::string& number, const char* keyword,
                std::string_view lineText) {
    out.append(number);
    out += '\t';
    out.append(keyword);
    out += '\t';
    AppendMended(out, lineText);
}

}  // namespace

void AppendRecord(std::string& out, const Store& store, std::int32_t j, std::int32_t positions) {
    std::string scratch;
    const std::string number = std::to_string(j);
    const std::string_view lineText = store.LineText(j);
    for (std::size_t kind = 0; kind < kValueKeywords.size(); ++kind) {
        const auto row = static_cast<ValueRow>(kind);
        AppendHead(out, number, kValueKeywords[kind], lineText);
        const std::int32_t last = std::min(store.LastHeldPosition(row, j), positions);
        // Blank values at the row's end are left out, tabs and all.
        std::size_t end = out.size();
        for (std::int32_t k = 1; k <= last; ++k) {
            if (!AppendValue(out, store.Value(row, j, k), scratch)) {
                end = out.size();
            }
        }
        out.resize(end);
        out += "\r\n";
    }
    AppendHead(out, number, "comment", lineText);
    out += '\t';
    AppendMended(out, store.Comment(j));
    out += "\r\n";
}

std::string Workspace::ScansionFileBytes() const {
    std::string out;
    const std::int32_t lines = NumberOfLines;
    // Real verse lines take a few hundred bytes; growing the buffer would copy it again.
    out.reserve(static_cast<std::size_t>(std::max<std::int32_t>(lines, 0)) * 512);
    for (std::int32_t i = 1; i <= lines; ++i) {
        AppendRecord(out, store_, i, MaximumNumberOfSyllables);
    }
    return out;
}

bool Workspace::WriteScansionFile() {
    return platform_.ReplaceFile(WorkingFileName, ScansionFileBytes());
}
}  // namespace corvale
