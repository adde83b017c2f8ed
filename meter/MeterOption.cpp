#include "meter/MeterOption.h"

#include <QStringList>

namespace corvale::meter {

std::optional<std::vector<std::string>> ParseMeterOption(const QString& text) {
    std::vector<std::string> symbols;
    for (const QString& symbol : text.simplified().split(u' ', Qt::SkipEmptyParts)) {
        const QString upper = symbol.toUpper();
        if (upper != u"W" && upper != u"S") {
            return std::nullopt;
        }
        symbols.push_back(upper.toStdString());
    }
    if (symbols.empty()) {
        return std::nullopt;
    }
    return symbols;
}

}  // namespace corvale::meter
