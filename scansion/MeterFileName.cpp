#include "scansion/MeterFileName.h"

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

}  // namespace corvale
