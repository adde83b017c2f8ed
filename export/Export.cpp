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

std::string ExportFile(const Source& source, Format format) {
    return format == Format::Csv ? CsvHeader() + CsvRows(source) : TeiDocument(source);
}

QString ExportFileName(const QString& scansionFileName, Format format) {
    const char* ending = format == Format::Csv ? ".syllables.csv" : ".tei.xml";
    return PathFromBytes(NameWithoutExtension(PathBytes(scansionFileName)) + ending);
}

}  // namespace corvale::exports
