// The two passes that load a scansion file into the store. The first pass sizes the store
// (verse lines, syllable positions); the second fills it record by record, four rows each.
// Everything that a valid file cannot produce is reported in a message and ends the program
// before anything is written, so a damaged file is never saved over.

#include "scansion/Journal.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"
#include "scansion/TabScan.h"
#include "scansion/Workspace.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

namespace corvale {

namespace {

constexpr std::int64_t kMostPositions = 32767;
// The tab index and the store count offsets in 32 bits; no poem comes near this.
constexpr std::size_t kLargestFile = std::size_t{2} << 30;

constexpr std::array<const char*, 4> kKeywords = {"syllables", "stress", "juncture", "comment"};
enum KeywordIndex { kSyllablesRow = 0, kStressRow = 1, kJunctureRow = 2, kCommentRow = 3 };

QString Text(const char* ascii) {
    return QString::fromLatin1(ascii);
}

QString Number(std::int64_t value) {
    return QString::number(value);
}

using Row = TabIndex::Row;

// Something other than tabs and spaces stands in the row.
bool IsFilled(std::string_view row) {
    return !row.empty() && ((row.back() != '\t' && row.back() != ' ') ||
                            !s::StripTrailingTabsAndSpaces(row).empty());
}

// Field 3 of a row: empty when it has fewer than two tabs.
std::string_view ThirdField(const Row& row) {
    if (row.tabs.size() < 2) {
        return {};
    }
    const std::size_t end = row.tabs.size() > 2 ? row.Tab(2) : row.text.size();
    return row.text.substr(row.Tab(1) + 1, end - row.Tab(1) - 1);
}

// What the first pass learns from one unchanged row: the syllable positions it asks for, and
// how much of it the store will hold.
struct RowShape {
    std::int64_t syllables = -2;
    std::size_t lineTextBytes = 0;  // field 3, which every row of a record repeats
    std::size_t valueBytes = 0;     // fields 4 onwards, tabs left out
    std::size_t values = 0;         // fields 4 onwards
};

// Syllable positions: T - 2 for T tabs when something other than spaces follows the last tab,
// T - 3 otherwise, and -2 without a tab.
RowShape MeasureRow(const Row& row) {
    RowShape shape;
    if (row.tabs.empty()) {
        return shape;
    }
    const auto count = static_cast<std::int64_t>(row.tabs.size());
    const std::size_t lastTab = row.Tab(row.tabs.size() - 1);
    const bool filled = row.text.find_first_not_of(' ', lastTab + 1) != std::string_view::npos;
    shape.syllables = filled ? count - 2 : count - 3;
    shape.lineTextBytes = ThirdField(row).size();
    if (row.tabs.size() > 2) {
        shape.values = row.tabs.size() - 2;
        shape.valueBytes = row.text.size() - row.Tab(2) - shape.values;
    }
    return shape;
}

// The next row that is not blank, with its trailing tabs and spaces removed, and its tabs.
std::optional<Row> NextFilledRow(TabbedRows& rows) {
    while (!rows.AtEnd()) {
        Row row = rows.Next();
        if (row.text.empty() || row.text.back() == '\t' || row.text.back() == ' ') {
            row.text = s::StripTrailingTabsAndSpaces(row.text);
        }
        if (!row.text.empty()) {
            std::size_t kept = row.tabs.size();
            while (kept > 0 && row.Tab(kept - 1) >= row.text.size()) {
                --kept;
            }
            row.tabs = row.tabs.first(kept);
            return row;
        }
    }
    return std::nullopt;
}

// Fields 4 onwards of a row: the text after its third tab, and the tabs between them.
Store::SeparatedValues ValuesOf(const Row& row) {
    if (row.tabs.size() < 3) {
        return {};
    }
    const std::size_t first = row.Tab(2) + 1;
    return {row.text.substr(first), row.tabs.subspan(3), row.start + first};
}

// Field 4 of a row: the comment.
std::string_view FourthField(const Row& row) {
    if (row.tabs.size() < 3) {
        return {};
    }
    const std::size_t end = row.tabs.size() > 3 ? row.Tab(3) : row.text.size();
    return row.text.substr(row.Tab(2) + 1, end - row.Tab(2) - 1);
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithKeyword(std::string_view text, std::string_view keyword) {
    if (text.size() < keyword.size()) {
        return false;
    }
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        if (Lower(text[i]) != keyword[i]) {
            return false;
        }
    }
    return true;
}

// The row holds the (lower-case) keyword anywhere, in any case.
bool HoldsKeywordAnywhere(std::string_view row, std::string_view keyword) {
    for (std::size_t at = 0; at + keyword.size() <= row.size(); ++at) {
        if (StartsWithKeyword(row.substr(at), keyword)) {
            return true;
        }
    }
    return false;
}

// The same; the keyword usually opens field 2, so that is looked at first.
bool HoldsKeyword(const Row& row, std::string_view keyword) {
    if (!row.tabs.empty() && StartsWithKeyword(row.text.substr(row.Tab(0) + 1), keyword)) {
        return true;
    }
    return HoldsKeywordAnywhere(row.text, keyword);
}

const char kFixAndShow[] =
    "th line in the file.  Please fix by hand before proceeding further.  The bad line follows.";

QString BadRowMessage(const char* keyword, std::int64_t row, std::string_view text,
                      Encoding encoding) {
    return Text(
               "Caution:  your input file contains what looks like a bad line, because it "
               "doesn't include the word [") +
           Text(keyword) + Text("].    This is the ") + Number(row) + Text(kFixAndShow) +
           Decode(text, encoding);
}

QString EndsInsideRecordMessage(std::int32_t verseLine, const char* keyword) {
    return Text("Caution:  your input file ends in the middle of the record for verse line ") +
           Number(verseLine) + Text(":  its [") + Text(keyword) +
           Text("] line is missing.  Please fix by hand before proceeding further.");
}

QString TooManyRecordsMessage(std::int32_t lines, std::int64_t row, std::string_view text,
                              Encoding encoding) {
    return Text("Caution:  your input file holds more verse lines than the ") + Number(lines) +
           Text(" its last line gives.  This is the ") + Number(row) + Text(kFixAndShow) +
           Decode(text, encoding);
}

// The whole file; one that exists but cannot be read, or is too large to hold, is reported and
// ends the program.
std::string ReadOrEnd(Platform& platform, const std::string& name) {
    std::optional<std::string> bytes = platform.ReadWholeFile(name);
    if (!bytes) {
        platform.ShowMessage(Text("Caution:  your input file ") + DecodeFileName(name) +
                             Text(" exists but cannot be read.  Please check that it is a "
                                  "readable file, or fix by hand before proceeding further."));
        platform.EndProgram();
    }
    if (bytes->size() > kLargestFile) {
        platform.ShowMessage(Text("Caution:  your input file ") + DecodeFileName(name) +
                             Text(" is larger than 2 GB, more than Corvale can hold.  Please "
                                  "fix by hand before proceeding further."));
        platform.EndProgram();
    }
    return std::move(*bytes);
}

}  // namespace

void Workspace::FindMaximumNumberOfSyllables() {
    firstPassFile_ = FirstPassFile();  // an earlier load's file, if its second pass never ran
    if (!platform_.IsOrdinaryFile(WorkingFileName).value_or(false)) {
        NumberOfLines = 0;  // the memory file's cautions have already spoken
        return;
    }
    std::string bytes = ReadOrEnd(platform_, WorkingFileName);
    TabIndex index(bytes);
    TabbedRows rows(bytes, index);
    std::int64_t lineNumber = 0;
    std::int64_t filledRows = 0;
    std::optional<std::string_view> lastFilledRow;
    std::int32_t maximum = MaximumNumberOfSyllables;
    std::size_t lineTextBytes = 0;
    std::size_t valueBytes = 0;
    std::size_t values = 0;
    while (!rows.AtEnd()) {
        const Row row = rows.Next();
        ++lineNumber;
        const RowShape shape = MeasureRow(row);
        if (shape.syllables > kMostPositions) {
            platform_.ShowMessage(
                Text("Caution:  your input file has a line with more than 32767 syllables, more "
                     "than Corvale can show.  This is the ") +
                Number(lineNumber) +
                Text("th line in the file.  Please fix by hand before proceeding further."));
            platform_.EndProgram();
        }
        maximum = std::max(maximum, static_cast<std::int32_t>(shape.syllables));
        lineTextBytes += shape.lineTextBytes;
        valueBytes += shape.valueBytes;
        values += shape.values;
        if (IsFilled(row.text)) {
            ++filledRows;
            lastFilledRow = row.text;
        }
    }
    const Encoding encoding = index.AllAscii() ? Encoding::Utf8 : DetectEncoding(bytes);
    if (lastFilledRow) {
        // Its number reads the same with or without its trailing tabs and spaces.
        const std::string_view filled = s::StripTrailingTabsAndSpaces(*lastFilledRow);
        const std::string_view field1 = s::FirstField(filled);
        const std::optional<std::int32_t> lines = num::RoundedInt32(field1);
        if (!lines || *lines < 0 || *lines > filledRows) {
            platform_.ShowMessage(
                Text("Caution:  the last line of your input file should begin with the number of "
                     "its last verse line, but it begins with ") +
                Decode(field1, encoding) +
                Text(".  Please fix by hand before proceeding further.  The bad line follows.") +
                Decode(filled, encoding));
            platform_.EndProgram();
        }
        NumberOfLines = *lines;  // without any record it stays as it was
    }
    MaximumNumberOfSyllables = maximum;
    // Each of a record's four rows repeats the line text; the store holds it once. Each field
    // from the fourth on is one held text, as are each record's line text and comment.
    const auto records = static_cast<std::size_t>(std::max<std::int32_t>(NumberOfLines, 0));
    firstPassFile_ = FirstPassFile{WorkingFileName,
                                   std::move(bytes),
                                   std::move(index),
                                   encoding,
                                   valueBytes + lineTextBytes / 4,
                                   values + records + 1};
}

void Workspace::LookUpData() {
    FirstPassFile file = std::move(firstPassFile_);
    firstPassFile_ = FirstPassFile();
    if (!platform_.IsOrdinaryFile(WorkingFileName).value_or(false)) {
        fileIdentity_.reset();
        return;  // an empty store
    }
    if (!file.index || file.name != WorkingFileName) {
        file.bytes = ReadOrEnd(platform_, WorkingFileName);
        file.index.emplace(file.bytes);
        file.encoding = file.index->AllAscii() ? Encoding::Utf8 : DetectEncoding(file.bytes);
        file.textBytes = 0;
        file.texts = 0;
    }
    const std::string bytes = std::move(file.bytes);
    fileIdentity_ = IdentityOf(bytes);
    TextEncoding = file.encoding;
    store_.Reserve(file.textBytes, file.texts);
    TabbedRows rows(bytes, *file.index);
    std::int64_t rowsRead = 0;
    std::int32_t j = 0;
    std::array<Store::SeparatedValues, 3> values;
    std::string_view comment;

    // The keyword test, then what the record keeps of the row.
    const auto take = [&](const Row& row, int kind) {
        ++rowsRead;
        const auto index = static_cast<std::size_t>(kind);
        if (!HoldsKeyword(row, kKeywords[index])) {
            platform_.ShowMessage(
                BadRowMessage(kKeywords[index], rowsRead, row.text, TextEncoding));
            platform_.EndProgram();
        }
        if (kind == kCommentRow) {
            comment = FourthField(row);
        } else {
            values[index] = ValuesOf(row);
        }
    };
    const auto readRow = [&](int kind) {
        const std::optional<Row> row = NextFilledRow(rows);
        if (!row) {
            platform_.ShowMessage(EndsInsideRecordMessage(j, kKeywords[kind]));
            platform_.EndProgram();
        }
        take(*row, kind);
    };

    while (true) {
        // The end of the file may come only where a record would begin.
        const std::optional<Row> syllables = NextFilledRow(rows);
        if (!syllables) {
            break;
        }
        ++j;
        take(*syllables, kSyllablesRow);
        if (j > NumberOfLines) {
            platform_.ShowMessage(
                TooManyRecordsMessage(NumberOfLines, rowsRead, syllables->text, TextEncoding));
            platform_.EndProgram();
        }
        const std::string_view lineText = ThirdField(*syllables);
        readRow(kStressRow);
        readRow(kJunctureRow);
        readRow(kCommentRow);
        store_.SetRecord(j, lineText, comment, values);
    }
}

}  // namespace corvale
