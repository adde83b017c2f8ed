#include "scansion/MeterFileName.h"

namespace corvale {

std::string OwnMeterFileName(std::string_view scansionFileName) {
    const std::size_t slash = scansionFileName.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = scansionFileName.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot > nameStart;
    std::string base(hasExtension ? scansionFileName.substr(0, dot) : scansionFileName);
    return base + ".meter.txt";
}

}  // namespace corvale
