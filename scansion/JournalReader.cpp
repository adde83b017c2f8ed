// Reading the crash journal back: the header, then records for as long as they are good.

#include "scansion/ContentHash.h"
#include "scansion/Journal.h"
#include "scansion/JournalFormat.h"
#include "scansion/RecordFormat.h"
#include "scansion/RecordReader.h"

#include <array>
#include <limits>
#include <optional>

namespace corvale {

namespace {

// Rows that end in a line feed (a CR before it belongs to the line end). A last row without
// one is not whole: it is what a torn append leaves.
class WholeRows {
public:
    explicit WholeRows(std::string_view bytes) : bytes_(bytes) {}
    bool AtEnd() const { return offset_ >= bytes_.size(); }
    std::size_t Offset() const { return offset_; }
    std::optional<std::string_view> Next() {
        const std::size_t lineFeed = bytes_.find('\n', offset_);
        if (lineFeed == std::string_view::npos) {
            return std::nullopt;
        }
        std::string_view row = bytes_.substr(offset_, lineFeed - offset_);
        offset_ = lineFeed + 1;
        if (!row.empty() && row.back() == '\r') {
            row.remove_suffix(1);
        }
        return row;
    }

private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
};

// The text up to the next tab (or its end), which `rest` then loses along with that tab.
// `found` tells whether there was a tab.
std::string_view TakeField(std::string_view& rest, bool& found) {
    const std::size_t tab = rest.find('\t');
    found = tab != std::string_view::npos;
    const std::string_view field = rest.substr(0, tab);
    rest = found ? rest.substr(tab + 1) : std::string_view();
    return field;
}

// Digits as written by std::to_string: no sign, no leading zero, at most `largest`.
template <typename Number>
std::optional<Number> ParseCount(std::string_view text, Number largest) {
    if (text.empty() || (text.size() > 1 && text.front() == '0')) {
        return std::nullopt;
    }
    Number value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const auto digit = static_cast<Number>(c - '0');
        if (value > (largest - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

std::optional<std::int32_t> ParseLine(std::string_view text) {
    return ParseCount<std::int32_t>(text, std::numeric_limits<std::int32_t>::max());
}

// Exactly four fields and nothing more.
std::optional<std::array<std::string_view, 4>> FourFields(std::string_view row) {
    std::array<std::string_view, 4> fields;
    bool found = true;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!found) {
            return std::nullopt;
        }
        fields[i] = TakeField(row, found);
    }
    if (found) {
        return std::nullopt;
    }
    return fields;
}

std::optional<ContentIdentity> ParseHeader(std::string_view row) {
    const auto fields = FourFields(row);
    if (!fields || (*fields)[0] != journal::kMagic || (*fields)[1] != journal::kVersion) {
        return std::nullopt;
    }
    const auto size =
        ParseCount<std::uint64_t>((*fields)[2], std::numeric_limits<std::uint64_t>::max());
    const auto hash = journal::ParseHex16((*fields)[3]);
    if (!size || !hash) {
        return std::nullopt;
    }
    return ContentIdentity{*size, *hash};
}

// The four rows of a record, numbered alike and each with its keyword; nullopt otherwise. The
// end row is not looked at.
std::optional<JournalRecord> ParseRecordRows(const std::array<std::string_view, 4>& rows) {
    std::array<RecordRowFields, 4> split;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        split[i] = SplitRecordRow(rows[i]);
        if (split[i].keyword != kRowKeywords[i] || split[i].number != split[0].number) {
            return std::nullopt;
        }
    }
    const std::optional<std::int32_t> line = ParseLine(split[0].number);
    if (!line) {
        return std::nullopt;
    }
    JournalRecord record;
    record.line = *line;
    record.lineText = split[0].lineText;
    record.syllables = split[0].Values();
    record.stresses = split[1].Values();
    record.junctures = split[2].Values();
    record.comment = split[3].rest;
    return record;
}

// The checksum the end row must carry: over the rows as written, each with CR LF, and the end
// row up to its last tab.
std::uint64_t ChecksumOf(const std::array<std::string_view, 4>& rows, std::string_view endRow,
                         std::string& scratch) {
    scratch.clear();
    for (const std::string_view row : rows) {
        scratch.append(row);
        scratch += "\r\n";
    }
    scratch.append(endRow.substr(0, endRow.rfind('\t') + 1));
    return ContentHash(scratch);
}

// The next record, if its five rows are whole and good.
std::optional<JournalRecord> NextRecord(WholeRows& cursor, std::string& scratch) {
    std::array<std::string_view, 4> rows;
    for (std::string_view& row : rows) {
        const auto next = cursor.Next();
        if (!next) {
            return std::nullopt;
        }
        row = *next;
    }
    const auto endRow = cursor.Next();
    const auto end = endRow ? FourFields(*endRow) : std::nullopt;
    if (!end || (*end)[1] != journal::kEndKeyword) {
        return std::nullopt;
    }
    std::optional<JournalRecord> record = ParseRecordRows(rows);
    const std::optional<std::int32_t> shown = ParseLine((*end)[2]);
    const std::optional<std::uint64_t> checksum = journal::ParseHex16((*end)[3]);
    if (!record || !shown || !checksum || (*end)[0] != SplitRecordRow(rows[0]).number ||
        ChecksumOf(rows, *endRow, scratch) != *checksum) {
        return std::nullopt;
    }
    record->lineShownAfter = *shown;
    return record;
}

}  // namespace

JournalContents ReadJournal(std::string_view bytes) {
    JournalContents contents;
    WholeRows cursor(bytes);
    const auto header = cursor.Next();
    const auto identity = header ? ParseHeader(*header) : std::nullopt;
    if (!identity) {
        contents.damaged = !bytes.empty();
        return contents;
    }
    contents.headerReadable = true;
    contents.identity = *identity;
    contents.goodBytes = cursor.Offset();
    std::string scratch;
    while (!cursor.AtEnd()) {
        std::optional<JournalRecord> record = NextRecord(cursor, scratch);
        if (!record) {
            break;
        }
        contents.goodBytes = cursor.Offset();
        if (record->line != 0) {
            contents.records.push_back(std::move(*record));
        }
    }
    contents.damaged = contents.goodBytes < bytes.size();
    return contents;
}

bool RecordMatchesStore(const JournalRecord& record, const Store& store) {
    if (record.line < 0 || record.line > store.NumberOfLines()) {
        return false;
    }
    std::string saved;
    AppendRecord(saved, store, record.line, store.MaximumPositions());
    WholeRows cursor(saved);
    std::array<std::string_view, 4> rows;
    for (std::string_view& row : rows) {
        row = cursor.Next().value_or(std::string_view());
    }
    std::optional<JournalRecord> held = ParseRecordRows(rows);
    if (!held) {
        return false;
    }
    held->lineShownAfter = record.lineShownAfter;
    return *held == record;
}

}  // namespace corvale
