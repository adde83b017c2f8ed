// The two passes that load a scansion file into the store. The survey sizes the store (verse
// lines, syllable positions) and decides whether the file can be taken at all; it refuses a file
// through RefuseFile before it changes anything. LoadRecords fills the store record by record,
// four rows each, and reports a fault through EndOnBadFile. Either way the program
// ends before anything is written, so a damaged file is never saved over.

#include "scansion/Journal.h"
#include "scansion/Numbers.h"
#include "scansion/RecordFormat.h"
#include "scansion/TabFields.h"
#include "scansion/TabScan.h"
#include "scansion/Workspace.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

namespace corvale {

namespace {

// No poem has more verse lines; a last row that asks for more is refused rather than sizing the
// store (and the saved file) for them.
constexpr std::int32_t kMostVerseLines = 10'000'000;
// A message quotes at most this many characters of a row or a field: laying out a long row
// would hold the program up for seconds.
constexpr qsizetype kMostQuoted = 200;

constexpr std::array<const char*, 4> kKeywords = {"syllables", "stress", "juncture", "comment"};
enum KeywordIndex { kSyllablesRow = 0, kStressRow = 1, kJunctureRow = 2, kCommentRow = 3 };

QString Text(const char* ascii) {
    return QString::fromLatin1(ascii);
}

QString Number(std::int64_t value) {
    return QString::number(value);
}

bool StartsPair(const QString& text, qsizetype at) {
    return at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate();
}

// The bytes as a message shows them: decoded, and cut after kMostQuoted characters (a
// surrogate pair is one character) with "…" after the cut. No character takes more than four
// bytes, so decoding four bytes for each character, and one character more, shows whether the
// text must be cut, however long the row.
QString Quote(std::string_view bytes, Encoding encoding) {
    const QString text = Decode(bytes.substr(0, 4 * (kMostQuoted + 1)), encoding);
    qsizetype end = 0;
    for (qsizetype taken = 0; taken < kMostQuoted && end < text.size(); ++taken) {
        end += StartsPair(text, end) ? 2 : 1;
    }
    return end < text.size() ? text.left(end) + QChar(0x2026) : text;
}

using Row = TabIndex::Row;

// Something other than tabs and spaces stands in the row.
bool IsFilled(std::string_view row) {
    return !row.empty() && ((row.back() != '\t' && row.back() != ' ') ||
                            !fields::StripTrailingTabsAndSpaces(row).empty());
}

// Field 3 of a row: empty when it has fewer than two tabs.
std::string_view ThirdField(const Row& row) {
    if (row.tabs.size() < 2) {
        return {};
    }
    const std::size_t end = row.tabs.size() > 2 ? row.Tab(2) : row.text.size();
    return row.text.substr(row.Tab(1) + 1, end - row.Tab(1) - 1);
}

// What the survey learns from one unchanged row: the syllable positions it asks for, and
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
            row.text = fields::StripTrailingTabsAndSpaces(row.text);
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

// The comment: everything after the comment row's third tab, tabs included. The writer turns
// each tab into a space, so the comment stays one field when saved.
std::string_view CommentOf(const Row& row) {
    return row.tabs.size() < 3 ? std::string_view() : row.text.substr(row.Tab(2) + 1);
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
const char kFix[] = ".  Please fix by hand before proceeding further.  The bad line follows.";

QString BadRowMessage(const char* keyword, std::int64_t row, std::string_view text,
                      Encoding encoding) {
    return Text(
               "Caution:  your input file contains what looks like a bad line, because it "
               "doesn't include the word [") +
           Text(keyword) + Text("].    This is the ") + Number(row) + Text(kFixAndShow) +
           Quote(text, encoding);
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
           Quote(text, encoding);
}

QString TooWideMessage(std::int64_t row) {
    return Text("Caution:  your input file has a line with more than ") + Number(kMostPositions) +
           Text(" syllables, more than Corvale can show.  This is the ") + Number(row) +
           Text("th line in the file.  Please fix by hand before proceeding further.");
}

QString NoLineCountMessage(std::string_view field1, std::string_view row, Encoding encoding) {
    return Text(
               "Caution:  the last line of your input file should begin with the number of its "
               "last verse line, but it begins with ") +
           Quote(field1, encoding) + Text(kFix) + Quote(row, encoding);
}

QString TooManyLinesMessage(std::int32_t lines, std::string_view row, Encoding encoding) {
    return Text("Caution:  the last line of your input file gives ") + Number(lines) +
           Text(" verse lines, more than the ") + Number(kMostVerseLines) +
           Text(" Corvale can hold") + Text(kFix) + Quote(row, encoding);
}

QString TooLargeMessage(const std::string& name) {
    return Text("Caution:  your input file ") + DecodeFileName(name) +
           Text(
               " is larger than 2 GB, more than Corvale can hold.  Please fix by hand before "
               "proceeding further.");
}

QString UnreadableMessage(const std::string& name) {
    return Text("Caution:  your input file ") + DecodeFileName(name) +
           Text(
               " exists but cannot be read.  Please check that it is a readable file, or fix by "
               "hand before proceeding further.");
}

// The whole file, or the message that refuses it.
struct FileRead {
    std::optional<std::string> bytes;
    QString refusal;
};

// The size is asked first, so a huge file is refused without reading a byte of it; the reading
// itself stops at the same limit, should the file grow meanwhile.
FileRead ReadScansionFile(const Platform& platform, const std::string& name) {
    const auto tooLarge = [&] {
        return platform.FileSize(name).value_or(0) > kLargestReadableFile;
    };
    if (tooLarge()) {
        return {std::nullopt, TooLargeMessage(name)};
    }
    std::optional<std::string> bytes = platform.ReadWholeFile(name);
    if (!bytes) {
        return {std::nullopt, tooLarge() ? TooLargeMessage(name) : UnreadableMessage(name)};
    }
    return {std::move(bytes), QString()};
}

// What the survey learns from the rows.
struct RowSurvey {
    std::int32_t positions = 0;   // the most any row asks for
    std::int64_t tooWideRow = 0;  // the first row asking for more than kMostPositions, or 0
    std::optional<std::string_view> lastFilledRow;
    std::size_t lineTextBytes = 0;
    std::size_t valueBytes = 0;
    std::size_t values = 0;
};

RowSurvey SurveyRows(std::string_view bytes, const TabIndex& index) {
    RowSurvey survey;
    TabbedRows rows(bytes, index);
    std::int64_t lineNumber = 0;
    std::int64_t filledRows = 0;
    while (!rows.AtEnd()) {
        const Row row = rows.Next();
        ++lineNumber;
        RowShape shape = MeasureRow(row);
        if (IsFilled(row.text)) {
            // Every fourth filled row is a record's comment row: its comment is one text,
            // whatever tabs it holds.
            if (++filledRows % 4 == 0) {
                shape.syllables = std::min<std::int64_t>(shape.syllables, 1);
            }
            survey.lastFilledRow = row.text;
        }
        if (shape.syllables > kMostPositions) {
            survey.tooWideRow = lineNumber;
            return survey;
        }
        survey.positions = std::max(survey.positions, static_cast<std::int32_t>(shape.syllables));
        survey.lineTextBytes += shape.lineTextBytes;
        survey.valueBytes += shape.valueBytes;
        survey.values += shape.values;
    }
    return survey;
}

// The number of verse lines the last filled row gives, or the message that refuses it.
struct LineCount {
    std::int32_t lines = 0;
    QString refusal;
};

LineCount CountVerseLines(std::string_view lastFilledRow, Encoding encoding) {
    // Its number reads the same with or without its trailing tabs and spaces.
    const std::string_view row = fields::StripTrailingTabsAndSpaces(lastFilledRow);
    const std::string_view field1 = fields::FirstField(row);
    const std::optional<std::int32_t> lines = num::RoundedInt32(field1);
    if (!lines || *lines < 0) {
        return {0, NoLineCountMessage(field1, row, encoding)};
    }
    if (*lines > kMostVerseLines) {
        return {0, TooManyLinesMessage(*lines, row, encoding)};
    }
    return {*lines, QString()};
}

// One verse line as LoadRecords takes it from its four rows.
struct Record {
    std::string_view lineText;
    std::string_view comment;
    std::array<Store::SeparatedValues, 3> values;
};

// Reads the records of a file in order, with the checks each row must pass. It stops at the
// first fault and then holds the message that reports it.
class RecordReader {
public:
    RecordReader(std::string_view bytes, const TabIndex& index, std::int32_t lines,
                 Encoding encoding)
        : rows_(bytes, index), lines_(lines), encoding_(encoding) {}

    // The next record; false at the end of the file and at a fault.
    bool Next(Record& record);
    const QString& Fault() const { return fault_; }

private:
    bool HasKeyword(const Row& row, int kind);
    std::optional<Row> Following(int kind);

    TabbedRows rows_;
    std::int32_t lines_;
    Encoding encoding_;
    std::int64_t rowsRead_ = 0;  // filled rows, the one at hand included
    std::int32_t records_ = 0;
    QString fault_;
};

bool RecordReader::Next(Record& record) {
    // The end of the file may come only where a record would begin.
    const std::optional<Row> syllables = NextFilledRow(rows_);
    if (!syllables || !HasKeyword(*syllables, kSyllablesRow)) {
        return false;
    }
    if (++records_ > lines_) {
        fault_ = TooManyRecordsMessage(lines_, rowsRead_, syllables->text, encoding_);
        return false;
    }
    record.lineText = ThirdField(*syllables);
    record.values[kSyllablesRow] = ValuesOf(*syllables);
    for (const int kind : {kStressRow, kJunctureRow}) {
        const std::optional<Row> row = Following(kind);
        if (!row) {
            return false;
        }
        record.values[static_cast<std::size_t>(kind)] = ValuesOf(*row);
    }
    const std::optional<Row> comment = Following(kCommentRow);
    if (!comment) {
        return false;
    }
    record.comment = CommentOf(*comment);
    return true;
}

bool RecordReader::HasKeyword(const Row& row, int kind) {
    ++rowsRead_;
    const char* keyword = kKeywords[static_cast<std::size_t>(kind)];
    if (HoldsKeyword(row, keyword)) {
        return true;
    }
    fault_ = BadRowMessage(keyword, rowsRead_, row.text, encoding_);
    return false;
}

// The next row of the record begun; nullopt at a fault.
std::optional<Row> RecordReader::Following(int kind) {
    std::optional<Row> row = NextFilledRow(rows_);
    if (!row) {
        fault_ = EndsInsideRecordMessage(records_, kKeywords[static_cast<std::size_t>(kind)]);
        return std::nullopt;
    }
    if (!HasKeyword(*row, kind)) {
        return std::nullopt;
    }
    return row;
}

}  // namespace

void Workspace::RefuseFile(const QString& message) {
    platform_.ShowMessage(message);
    if (!switchOrigin_) {
        platform_.EndProgram();
    }
    refused_ = true;
}

void Workspace::EndOnBadFile(const QString& message) {
    if (switchOrigin_) {
        // The next start opens the file that was open, instead of failing on this one at
        // every start until it is mended by hand.
        WorkingFileName = switchOrigin_->name;
        CurrentLine = switchOrigin_->line;
        WriteMemoryFile();
    }
    platform_.ShowMessage(message);
    platform_.EndProgram();
}

void Workspace::SurveyFile() {
    surveyed_ = SurveyedFile();  // an earlier load's file, if its records were never loaded
    if (!platform_.IsOrdinaryFile(WorkingFileName).value_or(false)) {
        NumberOfLines = 0;  // the memory file's cautions have already spoken
        return;
    }
    FileRead read = ReadScansionFile(platform_, WorkingFileName);
    if (!read.bytes) {
        RefuseFile(read.refusal);
        return;
    }
    std::string& bytes = *read.bytes;
    TabIndex index(bytes);
    const RowSurvey rows = SurveyRows(bytes, index);
    if (rows.tooWideRow != 0) {
        RefuseFile(TooWideMessage(rows.tooWideRow));
        return;
    }
    const Encoding encoding = index.AllAscii() ? Encoding::Utf8 : DetectEncoding(bytes);
    // A file without a filled row holds no verse line.
    const LineCount count =
        rows.lastFilledRow ? CountVerseLines(*rows.lastFilledRow, encoding) : LineCount();
    if (!count.refusal.isEmpty()) {
        RefuseFile(count.refusal);
        return;
    }
    // The file is taken: only now does anything change.
    NumberOfLines = count.lines;
    MaximumNumberOfSyllables = std::max(MaximumNumberOfSyllables, rows.positions);
    // Each of a record's four rows repeats the line text; the store holds it once. Each field
    // from the fourth on is one held text, as are each record's line text and comment.
    surveyed_ = SurveyedFile{WorkingFileName,
                             std::move(bytes),
                             std::move(index),
                             encoding,
                             rows.valueBytes + rows.lineTextBytes / 4,
                             rows.values + static_cast<std::size_t>(count.lines) + 1};
}

void Workspace::LoadRecords() {
    SurveyedFile file = std::move(surveyed_);
    surveyed_ = SurveyedFile();
    if (!platform_.IsOrdinaryFile(WorkingFileName).value_or(false)) {
        fileIdentity_.reset();
        return;  // an empty store
    }
    if (!file.index || file.name != WorkingFileName) {
        FileRead read = ReadScansionFile(platform_, WorkingFileName);
        if (!read.bytes) {
            EndOnBadFile(read.refusal);
            return;
        }
        file.bytes = std::move(*read.bytes);
        file.index.emplace(file.bytes);
        file.encoding = file.index->AllAscii() ? Encoding::Utf8 : DetectEncoding(file.bytes);
        file.textBytes = 0;
        file.texts = 0;
    }
    const std::string bytes = std::move(file.bytes);
    fileIdentity_ = IdentityOf(bytes);
    TextEncoding = file.encoding;
    store_.Reserve(file.textBytes, file.texts);
    RecordReader records(bytes, *file.index, NumberOfLines, TextEncoding);
    Record record;
    for (std::int32_t j = 1; records.Next(record); ++j) {
        store_.SetRecord(j, record.lineText, record.comment, record.values);
    }
    if (!records.Fault().isEmpty()) {
        EndOnBadFile(records.Fault());
    }
}

}  // namespace corvale
