// Syllables and lines as CSV, by RFC 4180: fields parted by commas, a field holding a comma, a
// quote or a line break quoted with its quotes doubled, every row ending in CR LF.

#include "export/Export.h"
#include "export/ShownWords.h"
#include "scansion/Numbers.h"

#include <string_view>

namespace corvale::exports {

namespace {

constexpr char kRowEnd[] = "\r\n";

void AppendField(std::string& row, std::string_view utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) {
        row += utf8;
        return;
    }
    row += '"';
    for (const char c : utf8) {
        if (c == '"') {
            row += '"';
        }
        row += c;
    }
    row += '"';
}

// A store's text as UTF-8: a UTF-8 store holds it already.
class Utf8 {
public:
    explicit Utf8(Encoding encoding) : encoding_(encoding) {}
    std::string_view operator()(std::string_view bytes) {
        if (encoding_ == Encoding::Utf8) {
            return bytes;
        }
        converted_ = Decode(bytes, encoding_).toStdString();
        return converted_;
    }

private:
    Encoding encoding_;
    std::string converted_;
};

// A file's rows, each begun with the file's name and its fields appended after commas.
class Rows {
public:
    explicit Rows(const QString& fileName) { AppendField(fileName_, fileName.toStdString()); }
    void Begin() { rows_ += fileName_; }
    void Field(std::string_view utf8) {
        rows_ += ',';
        AppendField(rows_, utf8);
    }
    // A field already quoted as a field must be.
    void QuotedField(std::string_view field) {
        rows_ += ',';
        rows_ += field;
    }
    void End() { rows_ += kRowEnd; }
    std::string Take() { return std::move(rows_); }

private:
    std::string fileName_;
    std::string rows_;
};

// The number of a line's meter as its column holds it: empty without a meter.
std::string MeterNumber(const ExportMeter& meter, std::int32_t number) {
    return meter.Places() > 0 ? std::to_string(number) : std::string();
}

// The line's words parted by a space, a word's syllables by "|", as UTF-8.
std::string Division(const std::vector<ShownSyllable>& syllables, Utf8& utf8) {
    std::string text;
    for (const ShownSyllable& syllable : syllables) {
        text += utf8(num::Trim(syllable.syllable));
        if (&syllable != &syllables.back()) {
            text += syllable.endsWord ? ' ' : '|';
        }
    }
    return text;
}

}  // namespace

std::string CsvHeader() {
    return std::string(
               "file,line,column,place,symbol,syllable,stress,juncture,word,comment,meter") +
           kRowEnd;
}

std::string LinesHeader() {
    return std::string("file,line,text,syllables,meter,met,real,fits,departures,comment") + kRowEnd;
}

std::string LinesRows(const Source& source) {
    const Store& store = source.store;
    Utf8 utf8(source.encoding);
    Rows rows(source.fileName);
    ForEachVerseLine(source, [&](const WalkedLine& line) {
        const meter::Verdict verdict =
            meter::JudgeLine(line.meter.Rule(), line.reading, meter::Strictness::StressMaxima);
        rows.Begin();
        rows.Field(std::to_string(line.number));
        rows.Field(utf8(store.LineText(line.number)));
        rows.Field(Division(line.syllables, utf8));
        rows.Field(MeterNumber(line.meter, line.meterNumber));
        rows.Field(line.meter.Marks().toStdString());
        rows.Field(RealMarks(line.syllables));
        rows.Field(verdict.judged ? (verdict.Fits() ? "true" : "false") : "");
        rows.Field(verdict.judged ? std::to_string(verdict.offPlaces) : std::string());
        rows.Field(utf8(store.Comment(line.number)));
        rows.End();
    });
    return rows.Take();
}

std::string CsvRows(const Source& source) {
    const Store& store = source.store;
    Utf8 utf8(source.encoding);
    Rows rows(source.fileName);
    ForEachVerseLine(source, [&](const WalkedLine& walked) {
        const ExportMeter& meter = walked.meter;
        std::string comment;
        AppendField(comment, utf8(store.Comment(walked.number)));
        const std::string line = std::to_string(walked.number);
        const std::string meterNumber = MeterNumber(meter, walked.meterNumber);
        for (const ShownSyllable& syllable : walked.syllables) {
            const bool inMeter = syllable.column <= meter.Places();
            rows.Begin();
            rows.Field(line);
            rows.Field(std::to_string(syllable.column));
            rows.Field(inMeter ? std::to_string(syllable.column) : std::string());
            rows.Field(meter.Symbol(syllable.column).toStdString());
            rows.Field(utf8(syllable.syllable));
            rows.Field(utf8(syllable.stress));
            rows.Field(utf8(syllable.juncture));
            rows.Field(std::to_string(syllable.word));
            rows.QuotedField(comment);
            rows.QuotedField(meterNumber);
            rows.End();
        }
    });
    return rows.Take();
}

}  // namespace corvale::exports
