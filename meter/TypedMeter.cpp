#include "meter/TypedMeter.h"

#include <QStringList>

namespace corvale::meter {

std::optional<std::vector<std::string>> ParseTypedMeter(const QString& text) {
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

namespace corvale::meter {

std::variant<std::vector<std::string>, std::string> ReadMeterOption(const QString& text) {
    std::optional<std::vector<std::string>> symbols = ParseTypedMeter(text);
    if (!symbols) {
        return std::string(
            "--meter takes W and S symbols separated by spaces, such as \"W S W S W S W S W S\"");
    }
    if (symbols->size() == 1) {
        return std::string(
            "--meter has one place only: put the meter's symbols in quotes, such as --meter "
            "\"W S W S W S W S W S\"");
    }
    return std::move(*symbols);
}

std::string MeterFileLine(const std::vector<std::string>& symbols) {
    std::string line;
    for (const std::string& symbol : symbols) {
        line += (line.empty() ? "" : "\t") + symbol;
    }
    return line;
}

}  // namespace corvale::meter
