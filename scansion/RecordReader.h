#pragma once

// Reading the records of a scansion file (RecordFormat.h) from its bytes, as the program loads a
// file. Rows split as RowCursor splits them. A blank row (nothing but tabs and spaces) is passed
// over; every other row loses its trailing tabs and spaces first. A record is the next four such
// rows, each holding its keyword anywhere, in any case: field 3 of the syllables row is the line
// text, fields 4 onwards of each value row are its values, and everything after the comment
// row's third tab is the comment, tabs included. The last filled row begins with the number of
// verse lines the file holds, and no record may go past it.
//
// A refusal carries the message the program shows for it and the file's row (from 1) it
// concerns, or 0 when it names none.

#include "platform/TextCodec.h"
#include "scansion/Refusal.h"
#include "scansion/Store.h"
#include "scansion/TabScan.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace corvale {

// What a first look at every row learns: whether the file can be taken at all, and what a store
// of its records needs.
struct RecordSurvey {
    std::int32_t verseLines = 0;  // the number the last filled row begins with
    std::int32_t positions = 0;   // the most syllable positions any row asks for
    Encoding encoding = Encoding::Utf8;
    std::size_t textBytes = 0;  // about what a store of every record holds: bytes and texts
    std::size_t texts = 0;
};

// Refuses a file with a row that asks for more than kMostPositions positions, or whose last
// filled row gives no number of verse lines the program can hold. A file without a filled row
// holds no verse line.
std::variant<RecordSurvey, Refusal> SurveyRecords(std::string_view bytes, const TabIndex& index);

// One verse line as read. The texts are views into the bytes, the values' separators into the
// index.
struct ScansionRecord {
    std::int32_t verseLine = 0;  // 1, 2, ... in the order of the file
    std::string_view number;     // field 1 of its syllables row, as written
    std::string_view lineText;
    std::array<Store::SeparatedValues, 3> values;  // by ValueRow
    std::string_view comment;

    // The values of one row, position 1 first; an empty field is an empty value in its place.
    std::vector<std::string_view> Values(ValueRow row) const;
};

// Reads the records of indexed bytes in order, stopping at the first fault.
class RecordReader {
public:
    // verseLines is the survey's: a record beyond it is a fault. The encoding is the one its
    // messages quote the file's bytes in.
    RecordReader(std::string_view bytes, const TabIndex& index, std::int32_t verseLines,
                 Encoding encoding)
        : rows_(bytes, index), lines_(verseLines), encoding_(encoding) {}

    // The next record; false at the end of the records and at a fault.
    bool Next(ScansionRecord& record);
    // What stopped the reading, if a fault did.
    const std::optional<Refusal>& Fault() const { return fault_; }

private:
    bool HasKeyword(const TabIndex::Row& row, std::size_t kind);
    std::optional<TabIndex::Row> Following(std::size_t kind);

    TabbedRows rows_;
    std::int32_t lines_;
    Encoding encoding_;
    std::int64_t rowsRead_ = 0;  // filled rows, the one at hand included
    std::int32_t records_ = 0;
    std::optional<Refusal> fault_;
};

// Every record of a file's bytes at once, for the tools that read scansion files.
struct ScansionRecords {
    TabIndex index;
    RecordSurvey survey;
    std::vector<ScansionRecord> records;  // those before the fault, if any
    std::optional<Refusal> fault;         // the survey's refusal, or the reader's fault
};
// The bytes must outlive the records.
ScansionRecords ReadScansionRecords(std::string_view bytes);

// The file is a scansion file: its first four rows that are not blank are a record's, each holding
// its keyword as the reader above checks it. Only those rows are read, so a large file of
// another kind is told at once; a fault further on is the reader's to report.
bool BeginsWithRecord(std::string_view bytes);

// One row of a record taken apart alone, for rows that are not read from a whole file (the
// journal's): the row loses its trailing tabs and spaces, then gives fields 1 to 3 and what
// follows the third tab, as the reader above takes a row.
struct RecordRowFields {
    std::string_view number;    // field 1
    std::string_view keyword;   // field 2
    std::string_view lineText;  // field 3
    std::string_view rest;      // after the third tab: the values, or the comment
    bool hasRest = false;       // there is a third tab

    // The fields of `rest`, each a value; none without a third tab.
    std::vector<std::string_view> Values() const;
};
RecordRowFields SplitRecordRow(std::string_view row);

}  // namespace corvale
