#include "export/Export.h"

#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "scansion/MeterFile.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"

#include <QStringList>

namespace corvale::exports {

ExportMeter::ExportMeter(std::string_view meterLine, std::int32_t numberOfMeterSymbols)
    : places_(meterLine, numberOfMeterSymbols) {
    std::string_view rest = meterLine;
    for (std::int32_t place = 1; place <= places_.Places(); ++place) {
        // A meter file is written by hand: its symbols are ASCII, UTF-8 or Windows-1252.
        const std::string_view symbol = num::Trim(fields::FirstField(rest));
        symbols_.push_back(Decode(symbol, DetectEncoding(symbol)));
        rest = fields::RemoveFirstField(rest);
    }
}

QString ExportMeter::Symbol(std::int32_t place) const {
    return place >= 1 && place <= Places() ? symbols_[static_cast<std::size_t>(place) - 1]
                                           : QString();
}

QString ExportMeter::Marks() const {
    QString marks;
    for (std::int32_t place = 1; place <= Places(); ++place) {
        marks += places_.IsStrong(place) ? u'+' : u'-';
    }
    return marks;
}

QString ExportMeter::Spelled() const {
    return QStringList(symbols_.begin(), symbols_.end()).join(u' ');
}

std::vector<ExportMeter> ExportMeters(const std::vector<MeterFileRow>& rows) {
    std::vector<ExportMeter> meters;
    for (const MeterFileRow& row : rows) {
        meters.emplace_back(row.line, row.symbols);
    }
    return meters;
}

LineMeters::LineMeters(const Source& source) : source_(source) {
    std::vector<meter::Meter> meters = {source.meter.Rule()};
    for (const ExportMeter& further : source.further) {
        meters.push_back(further.Rule());
    }
    meters_ = meter::Meters(std::move(meters));
}

std::int32_t LineMeters::NumberOf(const meter::ShownLine& line) const {
    return meter::LineMeter(meters_, line);
}

const ExportMeter& LineMeters::Meter(std::int32_t number) const {
    return number <= 1 ? source_.meter : source_.further[static_cast<std::size_t>(number) - 2];
}

std::string ExportFile(const Source& source, Format format) {
    switch (format) {
        case Format::Csv:
            return CsvHeader() + CsvRows(source);
        case Format::Lines:
            return LinesHeader() + LinesRows(source);
        case Format::Tei:
            break;
    }
    return TeiDocument(source);
}

QString ExportFileName(const QString& scansionFileName, Format format) {
    const char* ending = format == Format::Csv     ? ".syllables.csv"
                         : format == Format::Lines ? ".lines.csv"
                                                   : ".tei.xml";
    return PathFromBytes(NameWithoutExtension(PathBytes(scansionFileName)) + ending);
}

}  // namespace corvale::exports
