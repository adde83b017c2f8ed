// The reader of scansion records: the survey of every row, then the records one by one, each
// fault with the message the program shows for it.

#include "scansion/RecordReader.h"

#include "platform/Platform.h"
#include "scansion/Numbers.h"
#include "scansion/RecordFormat.h"
#include "scansion/TabFields.h"

#include <QString>

#include <algorithm>

namespace corvale {

namespace {

// No poem has more verse lines; a last row that asks for more is refused rather than sizing the
// store (and the saved file) for them.
constexpr std::int32_t kMostVerseLines = 10'000'000;
// Verse lines without a record load empty, but a last row that gives more than ten times the
// records plus this many is a mistake (or an attack) rather than a gap: it is refused before
// anything is sized for the lines it would add.
constexpr std::int64_t kMostMissingLines = 1000;
// A message quotes at most this many characters of a row or a field: laying out a long row
// would hold the program up for seconds.
constexpr qsizetype kMostQuoted = 200;

using Row = TabIndex::Row;

QString Text(const char* ascii) {
    return QString::fromLatin1(ascii);
}

QString Text(std::string_view ascii) {
    return QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size()));
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

Refusal RefusalOf(const QString& message, std::int64_t row) {
    return Refusal{message.toStdString(), row};
}

// Something other than tabs and spaces stands in the row.
bool IsFilled(std::string_view row) {
    return !row.empty() && ((row.back() != '\t' && row.back() != ' ') ||
                            !fields::StripTrailingTabsAndSpaces(row).empty());
}

// Field 1 of a row: all of it without a tab.
std::string_view FirstField(const Row& row) {
    return row.tabs.empty() ? row.text : row.text.substr(0, row.Tab(0));
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

QString BadRowMessage(std::string_view keyword, std::int64_t row, std::string_view text,
                      Encoding encoding) {
    return Text(
               "Caution:  your input file contains what looks like a bad line, because it "
               "doesn't include the word [") +
           Text(keyword) + Text("].    This is the ") + Number(row) + Text(kFixAndShow) +
           Quote(text, encoding);
}

QString EndsInsideRecordMessage(std::int32_t verseLine, std::string_view keyword) {
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

QString NoTabMessage(std::int64_t row, std::string_view text, Encoding encoding) {
    return Text(
               "Caution:  your input file has a line without a tab, where each line of a record "
               "parts its fields with tabs (were they turned into spaces?).  This is the ") +
           Number(row) + Text(kFixAndShow) + Quote(text, encoding);
}

QString FarTooManyLinesMessage(std::int32_t lines, std::int64_t records, std::string_view row,
                               Encoding encoding) {
    return Text("Caution:  the last line of your input file gives ") + Number(lines) +
           Text(" verse lines, but the file holds only ") + Number(records) +
           Text(
               " records: Corvale reads a file whose last line gives at most ten times its "
               "records plus ") +
           Number(kMostMissingLines) + Text(kFix) + Quote(row, encoding);
}

QString TooManyLinesMessage(std::int32_t lines, std::string_view row, Encoding encoding) {
    return Text("Caution:  the last line of your input file gives ") + Number(lines) +
           Text(" verse lines, more than the ") + Number(kMostVerseLines) +
           Text(" Corvale can hold") + Text(kFix) + Quote(row, encoding);
}

// What the survey learns from the rows.
struct RowSurvey {
    std::int32_t positions = 0;   // the most any row asks for
    std::int64_t tooWideRow = 0;  // the first row asking for more than kMostPositions, or 0
    std::optional<std::string_view> lastFilledRow;
    std::int64_t lastFilledRowNumber = 0;
    std::int64_t filledRows = 0;
    std::size_t lineTextBytes = 0;
    std::size_t valueBytes = 0;
    std::size_t values = 0;
};

RowSurvey SurveyRows(std::string_view bytes, const TabIndex& index) {
    RowSurvey survey;
    TabbedRows rows(bytes, index);
    std::int64_t lineNumber = 0;
    std::int64_t& filledRows = survey.filledRows;
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
            survey.lastFilledRowNumber = lineNumber;
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

// The number of verse lines the last filled row gives, or the refusal of it.
std::variant<std::int32_t, Refusal> CountVerseLines(std::string_view lastFilledRow,
                                                    std::int64_t rowNumber, std::int64_t records,
                                                    Encoding encoding) {
    // Its number reads the same with or without its trailing tabs and spaces.
    const std::string_view row = fields::StripTrailingTabsAndSpaces(lastFilledRow);
    const std::string_view field1 = fields::FirstField(row);
    const std::optional<std::int32_t> lines = num::RoundedInt32(field1);
    if (!lines || *lines < 0) {
        return RefusalOf(NoLineCountMessage(field1, row, encoding), rowNumber);
    }
    if (*lines > kMostVerseLines) {
        return RefusalOf(TooManyLinesMessage(*lines, row, encoding), rowNumber);
    }
    if (*lines > 10 * records + kMostMissingLines) {
        return RefusalOf(FarTooManyLinesMessage(*lines, records, row, encoding), rowNumber);
    }
    return *lines;
}

// The text after `from` up to the next tab (or its end); `from` moves past that tab, or to
// npos when there was none.
std::string_view TakeField(std::string_view text, std::size_t& from) {
    const std::size_t tab = text.find('\t', from);
    const std::string_view field = text.substr(from, tab - from);
    from = tab == std::string_view::npos ? tab : tab + 1;
    return field;
}

}  // namespace

std::variant<RecordSurvey, Refusal> SurveyRecords(std::string_view bytes, const TabIndex& index) {
    const RowSurvey rows = SurveyRows(bytes, index);
    if (rows.tooWideRow != 0) {
        return RefusalOf(TooWideMessage(rows.tooWideRow), rows.tooWideRow);
    }
    RecordSurvey survey;
    survey.encoding = index.AllAscii() ? Encoding::Utf8 : DetectEncoding(bytes);
    if (rows.lastFilledRow) {
        // Each record is four filled rows.
        auto count = CountVerseLines(*rows.lastFilledRow, rows.lastFilledRowNumber,
                                     (rows.filledRows + 3) / 4, survey.encoding);
        if (auto* refusal = std::get_if<Refusal>(&count)) {
            return std::move(*refusal);
        }
        survey.verseLines = std::get<std::int32_t>(count);
    }
    survey.positions = rows.positions;
    // Each of a record's four rows repeats the line text; the store holds it once. Each field
    // from the fourth on is one held text, as are each record's line text and comment.
    survey.textBytes = rows.valueBytes + rows.lineTextBytes / 4;
    survey.texts = rows.values + static_cast<std::size_t>(survey.verseLines) + 1;
    return survey;
}

std::vector<std::string_view> ScansionRecord::Values(ValueRow row) const {
    const Store::SeparatedValues& run = values[static_cast<std::size_t>(row)];
    std::vector<std::string_view> split;
    if (run.text.empty()) {
        return split;
    }
    std::size_t begin = 0;
    for (const std::uint32_t separator : run.separators) {
        const std::size_t end = separator - run.origin;
        split.push_back(run.text.substr(begin, end - begin));
        begin = end + 1;
    }
    split.push_back(run.text.substr(begin));
    return split;
}

bool RecordReader::Next(ScansionRecord& record) {
    // The end of the file may come only where a record would begin.
    const std::optional<Row> syllables = NextFilledRow(rows_);
    if (!syllables || !HasKeyword(*syllables, 0)) {
        return false;
    }
    if (++records_ > lines_) {
        fault_ = RefusalOf(TooManyRecordsMessage(lines_, rowsRead_, syllables->text, encoding_),
                           static_cast<std::int64_t>(rows_.Taken()));
        return false;
    }
    record.verseLine = records_;
    record.number = FirstField(*syllables);
    record.lineText = ThirdField(*syllables);
    record.values[0] = ValuesOf(*syllables);
    for (const std::size_t kind : {std::size_t{1}, std::size_t{2}}) {
        const std::optional<Row> row = Following(kind);
        if (!row) {
            return false;
        }
        record.values[kind] = ValuesOf(*row);
    }
    const std::optional<Row> comment = Following(kCommentRow);
    if (!comment) {
        return false;
    }
    record.comment = CommentOf(*comment);
    return true;
}

bool RecordReader::HasKeyword(const Row& row, std::size_t kind) {
    ++rowsRead_;
    if (!HoldsKeyword(row, kRowKeywords[kind])) {
        fault_ = RefusalOf(BadRowMessage(kRowKeywords[kind], rowsRead_, row.text, encoding_),
                           static_cast<std::int64_t>(rows_.Taken()));
        return false;
    }
    // Without a tab the row has no fields: its record would load empty without a word.
    if (row.tabs.empty()) {
        fault_ = RefusalOf(NoTabMessage(rowsRead_, row.text, encoding_),
                           static_cast<std::int64_t>(rows_.Taken()));
        return false;
    }
    return true;
}

// The next row of the record begun; nullopt at a fault.
std::optional<Row> RecordReader::Following(std::size_t kind) {
    std::optional<Row> row = NextFilledRow(rows_);
    if (!row) {
        fault_ = RefusalOf(EndsInsideRecordMessage(records_, kRowKeywords[kind]), 0);
        return std::nullopt;
    }
    if (!HasKeyword(*row, kind)) {
        return std::nullopt;
    }
    return row;
}

ScansionRecords ReadScansionRecords(std::string_view bytes) {
    ScansionRecords read{TabIndex(bytes), {}, {}, {}};
    auto survey = SurveyRecords(bytes, read.index);
    if (auto* refusal = std::get_if<Refusal>(&survey)) {
        read.fault = std::move(*refusal);
        return read;
    }
    read.survey = std::get<RecordSurvey>(survey);
    RecordReader reader(bytes, read.index, read.survey.verseLines, read.survey.encoding);
    ScansionRecord record;
    while (reader.Next(record)) {
        read.records.push_back(record);
    }
    read.fault = reader.Fault();
    return read;
}

bool BeginsWithRecord(std::string_view bytes) {
    RowCursor rows(bytes);
    for (const std::string_view keyword : kRowKeywords) {
        std::string_view row;
        while (row.empty() && !rows.AtEnd()) {
            row = fields::StripTrailingTabsAndSpaces(rows.Next());
        }
        if (!HoldsKeywordAnywhere(row, keyword)) {
            return false;
        }
    }
    return true;
}

std::vector<std::string_view> RecordRowFields::Values() const {
    std::vector<std::string_view> values;
    if (!hasRest) {
        return values;
    }
    for (std::size_t from = 0; from != std::string_view::npos;) {
        values.push_back(TakeField(rest, from));
    }
    return values;
}

RecordRowFields SplitRecordRow(std::string_view row) {
    const std::string_view text = fields::StripTrailingTabsAndSpaces(row);
    RecordRowFields fields;
    std::size_t from = 0;
    fields.number = TakeField(text, from);
    if (from != std::string_view::npos) {
        fields.keyword = TakeField(text, from);
    }
    if (from != std::string_view::npos) {
        fields.lineText = TakeField(text, from);
    }
    fields.hasRest = from != std::string_view::npos;
    fields.rest = fields.hasRest ? text.substr(from) : std::string_view();
    return fields;
}

std::optional<std::size_t> RowOfKeyword(std::string_view field) {
    const auto* found = std::find(kRowKeywords.begin(), kRowKeywords.end(), field);
    if (found == kRowKeywords.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - kRowKeywords.begin());
}

}  // namespace corvale
