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
    const LineMeters meters(source);
    Utf8 utf8(source.encoding);
    std::string fileName;
    AppendField(fileName, source.fileName.toStdString());
    std::string rows;
    const auto field = [&rows](std::string_view utf8Text) {
        rows += ',';
        AppendField(rows, utf8Text);
    };
    meter::ShownLine reading;
    std::vector<ShownSyllable> syllables;
    for (std::int32_t j = 1; j <= store.NumberOfLines(); ++j) {
        ReadShownSyllables(store, j, reading, syllables);
        const std::int32_t number = meters.NumberOf(reading);
        const ExportMeter& meter = meters.Meter(number);
        const meter::Verdict verdict =
            meter::JudgeLine(meter.Rule(), reading, meter::Strictness::StressMaxima);
        rows += fileName;
        field(std::to_string(j));
        field(utf8(store.LineText(j)));
        field(Division(syllables, utf8));
        field(MeterNumber(meter, number));
        field(meter.Marks().toStdString());
        field(RealMarks(syllables));
        field(verdict.judged ? (verdict.Fits() ? "true" : "false") : "");
        field(verdict.judged ? std::to_string(verdict.offPlaces) : std::string());
        field(utf8(store.Comment(j)));
        rows += kRowEnd;
    }
    return rows;
}

std::string CsvRows(const Source& source) {
    const Store& store = source.store;
    Utf8 utf8(source.encoding);
    std::string fileName;
    AppendField(fileName, source.fileName.toStdString());
    std::string rows;
    const auto field = [&rows](std::string_view utf8Text) {
        rows += ',';
        AppendField(rows, utf8Text);
    };
    const LineMeters meters(source);
    meter::ShownLine reading;
    std::vector<ShownSyllable> syllables;
    for (std::int32_t j = 1; j <= store.NumberOfLines(); ++j) {
        ReadShownSyllables(store, j, reading, syllables);
        const std::int32_t number = meters.NumberOf(reading);
        const ExportMeter& meter = meters.Meter(number);
        std::string comment;
        AppendField(comment, utf8(store.Comment(j)));
        const std::string line = std::to_string(j);
        const std::string meterNumber = MeterNumber(meter, number);
        for (const ShownSyllable& syllable : syllables) {
            const bool inMeter = syllable.column <= meter.Places();
            rows += fileName;
            field(line);
            field(std::to_string(syllable.column));
            field(inMeter ? std::to_string(syllable.column) : std::string());
            field(meter.Symbol(syllable.column).toStdString());
            field(utf8(syllable.syllable));
            field(utf8(syllable.stress));
            field(utf8(syllable.juncture));
            field(std::to_string(syllable.word));
            rows += ',';
            rows += comment;
            rows += ',';
            rows += meterNumber;
            rows += kRowEnd;
        }
    }
    return rows;
}

}  // namespace corvale::exports
