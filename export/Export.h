#pragma once

// Exports of a scansion for other tools, written from the verse lines of a store as committed:
//
// - Syllables as CSV (RFC 4180, UTF-8, rows ending in CR LF): a header, then one row per shown
//   syllable: file, line, column, meter place and its symbol (both empty beyond the meter),
//   syllable, stress, juncture, word number in the line and the line's comment.
// - TEI P5: one <l n met real> per verse line, all in one <lg>, as the published scansion
//   corpora write them. `met` is the meter as "+" (strong place) and "-" (weak place), one mark
//   per place, left out without a meter; `real` is "+" for each shown syllable whose stress is
//   above 1 and "-" for the others. A word's syllables are parted by <sb/>, words by a space,
//   and the comment follows in a <note>. The header names the file and the meter.
//
// A syllable is shown, and stressed, as the meter rule (meter/MeterCheck.h) reads it. A word is
// a run of shown syllables each bound to the next by a juncture of exactly "1", as the window
// draws them.

#include "meter/MeterCheck.h"
#include "platform/TextCodec.h"
#include "scansion/Store.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::exports {

enum class Format { Csv, Tei };

// The meter an export names: the symbols of places 1, 2, ... as its meter file writes them, and
// which places are strong. A meter of no places is no meter.
class ExportMeter {
public:
    ExportMeter() = default;
    // As meter::Meter takes a meter file's row and its count of symbols.
    ExportMeter(std::string_view meterLine, std::int32_t numberOfMeterSymbols);

    std::int32_t Places() const { return places_.Places(); }
    // Trimmed; empty outside 1..Places().
    QString Symbol(std::int32_t place) const;
    // "+" for each strong place and "-" for each weak one.
    QString Marks() const;
    // The symbols separated by spaces, as a person reads the meter.
    QString Spelled() const;

private:
    meter::Meter places_;
    std::vector<QString> symbols_;
};

// What an export reads.
struct Source {
    const Store& store;  // rows 1..NumberOfLines are the verse lines
    Encoding encoding;   // of the store's texts
    QString fileName;    // names the scansion in the CSV's file column and the TEI header
    ExportMeter meter;
};

// The CSV header row, and the rows of one scansion, each ending in CR LF: several scansions may
// follow one header.
std::string CsvHeader();
std::string CsvRows(const Source& source);
// The whole TEI document, UTF-8.
std::string TeiDocument(const Source& source);
// A whole file of the format: the header and the rows, or the document.
std::string ExportFile(const Source& source, Format format);

// The name of a scansion file's export: "NAME.EXT" gives "NAME.syllables.csv" or
// "NAME.tei.xml" in the same folder.
QString ExportFileName(const QString& scansionFileName, Format format);

}  // namespace corvale::exports
