#pragma once

// Exports of a scansion for other tools, written from the verse lines of a store as committed.
// Each line is written under the meter it is measured against (meter/LineMeter.h), its meter:
//
// - Syllables as CSV (RFC 4180, UTF-8, rows ending in CR LF): a header, then one row per shown
//   syllable: file, line, column, place in the line's meter and its symbol (both empty beyond
//   it), syllable, stress, juncture, word number in the line, the line's comment, and last the
//   number of the line's meter (empty without a meter).
// - Lines as CSV, the same way: a header, then one row per verse line: file, line, the verse
//   text, its syllables (words parted by a space, a word's syllables by "|"), the number of its
//   meter, `met` and `real` as in TEI, whether it fits its meter ("true" or "false"), the columns
//   the cue flags in it (its departures), and its comment. Without a meter the meter's columns
//   are empty.
// - TEI P5: one <l n met real> per verse line, all in one <lg>, as the published scansion
//   corpora write them. `met` is the line's meter as "+" (strong place) and "-" (weak place),
//   one mark per place, left out without a meter; `real` is "+" for each shown syllable whose
//   stress is above 1 and "-" for the others. A word's syllables are parted by <sb/>, words by a
//   space, and the comment follows in a <note>. The header names the file and its meters.
//
// A syllable is shown, and stressed, as the meter rule (meter/MeterCheck.h) reads it. A word is
// a run of shown syllables each bound to the next by a juncture of exactly "1", as the window
// draws them.

#include "meter/LineMeter.h"
#include "meter/MeterCheck.h"
#include "platform/TextCodec.h"
#include "scansion/MeterFile.h"
#include "scansion/Store.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::exports {

enum class Format { Csv, Tei, Lines };

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
    // The places as the meter rule reads them.
    const meter::Meter& Rule() const { return places_; }

private:
    meter::Meter places_;
    std::vector<QString> symbols_;
};

// The meters of a meter file's rows (MeterFileRows::meters), in order.
std::vector<ExportMeter> ExportMeters(const std::vector<MeterFileRow>& rows);

// What an export reads.
struct Source {
    const Store& store;  // rows 1..NumberOfLines are the verse lines
    Encoding encoding;   // of the store's texts
    QString fileName;    // names the scansion in the CSV's file column and the TEI header
    ExportMeter meter;   // the main meter
    std::vector<ExportMeter> further = {};  // the file's other meters, meter 2 first
};

// The meter each verse line of a source is measured against.
class LineMeters {
public:
    explicit LineMeters(const Source& source);
    // The number of the meter of the line read into `line` (meter::LineMeter): 1 for the main.
    std::int32_t NumberOf(const meter::ShownLine& line) const;
    const ExportMeter& Meter(std::int32_t number) const;

private:
    const Source& source_;
    meter::Meters meters_;
};

// The CSV header row, and the rows of one scansion, each ending in CR LF: several scansions may
// follow one header. The same for the lines.
std::string CsvHeader();
std::string CsvRows(const Source& source);
std::string LinesHeader();
std::string LinesRows(const Source& source);
// The whole TEI document, UTF-8.
std::string TeiDocument(const Source& source);
// A whole file of the format: the header and the rows, or the document.
std::string ExportFile(const Source& source, Format format);

// The name of a scansion file's export: "NAME.EXT" gives "NAME.syllables.csv", "NAME.tei.xml"
// or "NAME.lines.csv" in the same folder.
QString ExportFileName(const QString& scansionFileName, Format format);

}  // namespace corvale::exports
