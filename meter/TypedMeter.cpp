#include "meter/TypedMeter.h"

#include "scansion/MeterFile.h"
#include "scansion/RecordFormat.h"

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

std::optional<std::vector<std::vector<std::string>>> ParseTypedMeters(const QString& text) {
    std::vector<std::vector<std::string>> meters;
    for (const QString& part : text.split(u';')) {
        std::optional<std::vector<std::string>> symbols = ParseTypedMeter(part);
        if (!symbols) {
            return std::nullopt;
        }
        meters.push_back(std::move(*symbols));
    }
    return meters;
}

std::variant<std::vector<std::vector<std::string>>, std::string> ReadMeterOption(
    const QString& text) {
    std::optional<std::vector<std::vector<std::string>>> meters = ParseTypedMeters(text);
    if (!meters) {
        return std::string(
            "--meter takes W and S symbols separated by spaces, such as \"W S W S W S W S W S\", "
            "and several meters separated by \";\"");
    }
    if (meters->size() > kMostMeters) {
        return "--meter takes at most " + std::to_string(kMostMeters) + " meters";
    }
    // No verse line has more syllables for a longer meter to measure.
    for (const std::vector<std::string>& places : *meters) {
        if (std::ssize(places) > kMostPositions) {
            return "--meter takes at most " + std::to_string(kMostPositions) +
                   " places a meter, as a verse line holds at most as many syllables";
        }
    }
    if (meters->size() == 1 && meters->front().size() == 1) {
        return std::string(
            "--meter has one place only: put the meter's symbols in quotes, such as --meter "
            "\"W S W S W S W S W S\"");
    }
    return std::move(*meters);
}

std::string MeterFileLine(const std::vector<std::string>& symbols) {
    std::string line;
    for (const std::string& symbol : symbols) {
        line += (line.empty() ? "" : "\t") + symbol;
    }
    return line;
}

std::string MeterFileText(const std::vector<std::vector<std::string>>& meters) {
    std::string text;
    for (const std::vector<std::string>& symbols : meters) {
        text += MeterFileLine(symbols) + "\r\n";
    }
    return text;
}

}  // namespace corvale::meter
