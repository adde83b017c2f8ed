// The two passes that load a scansion file into the store. The first pass sizes the store
// (verse lines, syllable positions); the second fills it record by record, four rows each.
// Everything that a valid file cannot produce is reported in a message and ends the program
// before anything is written, so a damaged file is never saved over.

#include "scansion/Numbers.h"
#include "scansion/TabFields.h"
#include "scansion/Workspace.h"

#include <algorithm>
#include <array>
#include <optional>

namespace corvale {

namespace {

constexpr std::int64_t kMostPositions = 32767;

constexpr std::array<const char*, 4> kKeywords = {"syllables", "stress", "juncture", "comment"};
enum KeywordIndex { kSyllablesRow = 0, kStressRow = 1, kJunctureRow = 2, kCommentRow = 3 };

QString Text(const char* ascii) {
    return QString::fromLatin1(ascii);
}

QString Number(std::int64_t value) {
    return QString::number(value);
}

// Syllable positions a row asks for: T - 2 for T tabs when something other than spaces follows
// the last tab, T - 3 otherwise, and -2 without a tab.
std::int64_t SyllableCount(std::string_view row) {
    const std::size_t lastTab = row.rfind('\t');
    if (lastTab == std::string_view::npos) {
        return -2;
    }
    const auto tabs = static_cast<std::int64_t>(std::count(row.begin(), row.end(), '\t'));
    const bool filled = row.find_first_not_of(' ', lastTab + 1) != std::string_view::npos;
    return filled ? tabs - 2 : tabs - 3;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The row holds the (lower-case) keyword anywhere, in any case. It usually stands near the
// start, in field 2.
bool HoldsKeyword(std::string_view row, std::string_view keyword) {
    if (row.size() < keyword.size()) {
        return false;
    }
    const std::size_t last = row.size() - keyword.size();
    for (std::size_t at = 0; at <= last; ++at) {
        std::size_t i = 0;
        while (i < keyword.size() && Lower(row[at + i]) == keyword[i]) {
            ++i;
        }
        if (i == keyword.size()) {
            return true;
        }
    }
    return false;
}

// The next row that is not blank, with its trailing tabs and spaces removed.
std::optional<std::string_view> NextFilledRow(RowCursor& rows) {
    while (!rows.AtEnd()) {
        const std::string_view row = s::StripTrailingTabsAndSpaces(rows.Next());
        if (!row.empty()) {
            return row;
        }
    }
    return std::nullopt;
}

// Fields 4 to 3 + positions of a row, as views into it; trailing empty fields are not kept.
// One scan over the row: fields are short, and a library search per field costs more than
// the field itself.
void SplitValues(std::string_view row, std::int32_t positions,
                 std::vector<std::string_view>& values) {
    values.clear();
    const auto wanted = static_cast<std::size_t>(std::max<std::int32_t>(positions, 0));
    std::size_t tabs = 0;
    std::size_t begin = 0;
    for (std::size_t at = 0; at < row.size(); ++at) {
        if (row[at] != '\t') {
            continue;
        }
        if (++tabs > 3) {
            values.push_back(row.substr(begin, at - begin));
            if (values.size() == wanted) {
                return;
            }
        }
        begin = at + 1;
    }
    if (tabs >= 3 && values.size() < wanted) {
        values.push_back(row.substr(begin));
    }
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

// The whole file; one that exists but cannot be read is reported and ends the program.
std::string ReadOrEnd(Platform& platform, const std::string& name) {
    std::optional<std::string> bytes = platform.ReadWholeFile(name);
    if (!bytes) {
        platform.ShowMessage(Text("Caution:  your input file ") + DecodeFileName(name) +
                             Text(" exists but cannot be read.  Please check that it is a "
                                  "readable file, or fix by hand before proceeding further."));
        platform.EndProgram();
    }
    return std::move(*bytes);
}

}  // namespace

void Workspace::FindMaximumNumberOfSyllables() {
    if (!platform_.IsOrdinaryFile(WorkingFileName).value_or(false)) {
        NumberOfLines = 0;  // the memory file's cautions have already spoken
        return;
    }
    const std::string bytes = ReadOrEnd(platform_, WorkingFileName);
    const Encoding encoding = DetectEncoding(bytes);
    RowCursor rows(bytes);
    std::int64_t lineNumber = 0;
    std::int64_t filledRows = 0;
    std::optional<std::string_view> lastFilledRow;
    std::int32_t maximum = MaximumNumberOfSyllables;
    while (!rows.AtEnd()) {
        const std::string_view row = rows.Next();
        ++lineNumber;
        const std::int64_t count = SyllableCount(row);
        if (count > kMostPositions) {
            platform_.ShowMessage(
                Text("Caution:  your input file has a line with more than 32767 syllables, more "
                     "than Corvale can show.  This is the ") +
                Number(lineNumber) +
                Text("th line in the file.  Please fix by hand before proceeding further."));
            platform_.EndProgram();
        }
        maximum = std::max(maximum, static_cast<std::int32_t>(count));
        const std::string_view filled = s::StripTrailingTabsAndSpaces(row);
        if (!filled.empty()) {
            ++filledRows;
            lastFilledRow = filled;  // its number reads the same as the whole row's
        }
    }
    if (!lastFilledRow) {
        MaximumNumberOfSyllables = maximum;
        return;  // no record at all: NumberOfLines stays as it was
    }
    const std::string_view field1 = s::FirstField(*lastFilledRow);
    const std::optional<std::int32_t> lines = num::RoundedInt32(field1);
    if (!lines || *lines < 0 || *lines > filledRows) {
        platform_.ShowMessage(
            Text("Caution:  the last line of your input file should begin with the number of its "
                 "last verse line, but it begins with ") +
            Decode(field1, encoding) +
            Text(".  Please fix by hand before proceeding further.  The bad line follows.") +
            Decode(*lastFilledRow, encoding));
        platform_.EndProgram();
    }
    MaximumNumberOfSyllables = maximum;
    NumberOfLines = *lines;
}

void Workspace::LookUpData() {
    if (!platform_.IsOrdinaryFile(WorkingFileName).value_or(false)) {
        return;  // an empty store
    }
    const std::string bytes = ReadOrEnd(platform_, WorkingFileName);
    TextEncoding = DetectEncoding(bytes);
    RowCursor rows(bytes);
    std::int64_t rowsRead = 0;
    std::int32_t j = 0;

    const auto check = [&](std::string_view row, int kind) {
        ++rowsRead;
        if (!HoldsKeyword(row, kKeywords[kind])) {
            platform_.ShowMessage(BadRowMessage(kKeywords[kind], rowsRead, row, TextEncoding));
            platform_.EndProgram();
        }
    };
    const auto readRow = [&](int kind) {
        const std::optional<std::string_view> row = NextFilledRow(rows);
        if (!row) {
            platform_.ShowMessage(EndsInsideRecordMessage(j, kKeywords[kind]));
            platform_.EndProgram();
        }
        check(*row, kind);
        return *row;
    };

    std::array<std::vector<std::string_view>, 3> values;
    for (auto& kind : values) {
        kind.reserve(static_cast<std::size_t>(std::max<std::int32_t>(MaximumNumberOfSyllables, 0)));
    }
    while (true) {
        // The end of the file may come only where a record would begin.
        const std::optional<std::string_view> next = NextFilledRow(rows);
        if (!next) {
            break;
        }
        ++j;
        check(*next, kSyllablesRow);
        if (j > NumberOfLines) {
            platform_.ShowMessage(
                TooManyRecordsMessage(NumberOfLines, rowsRead, *next, TextEncoding));
            platform_.EndProgram();
        }
        const std::string_view syllables = *next;
        SplitValues(syllables, MaximumNumberOfSyllables, values[0]);
        SplitValues(readRow(kStressRow), MaximumNumberOfSyllables, values[1]);
        SplitValues(readRow(kJunctureRow), MaximumNumberOfSyllables, values[2]);
        const std::string_view comment = s::NthField(readRow(kCommentRow), 4);
        store_.SetRecord(j, s::NthField(syllables, 3), comment, values[0], values[1], values[2]);
    }
}

}  // namespace corvale
