#include "scansion/MeterFileName.h"

#include "platform/Platform.h"

namespace corvale {

std::string NameWithoutExtension(std::string_view fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = fileName.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot > nameStart;
    return std::string(hasExtension ? fileName.substr(0, dot) : fileName);
}

std::string OwnMeterFileName(std::string_view scansionFileName) {
    return NameWithoutExtension(scansionFileName) + ".meter.txt";
}

QString NoMeterMessage(std::string_view scansionFileName, const QString& folder) {
    return QStringLiteral(
               "There is no meter for %1.  I need %2 beside it, or meter.txt in %3, holding the "
               "symbols of the meter (like S and W) separated by tabs.")
        .arg(DecodeFileName(scansionFileName), DecodeFileName(OwnMeterFileName(scansionFileName)),
             folder);
}

}  // namespace corvale
