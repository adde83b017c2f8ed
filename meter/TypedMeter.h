#pragma once

#include <QString>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace corvale::meter {

// A meter typed by hand, as the command line tools' --meter takes it: W and S symbols in any
// case, separated by blanks ("W S W S"). Gives the symbols in upper case, or nothing when the
// text holds another symbol or none at all.
std::optional<std::vector<std::string>> ParseTypedMeter(const QString& text);
// Several meters typed by hand, separated by ";" ("W S W S W S W S; W S W S W S"), each as
// ParseTypedMeter takes it, the main meter first. Nothing when any of them is not a meter.
std::optional<std::vector<std::vector<std::string>>> ParseTypedMeters(const QString& text);

// The --meter option of the command line tools: its meters, or the usage error to report. A
// meter of one place alone is refused too: it is what the shell passes when the symbols were not
// quoted, the others then taken for file names.
std::variant<std::vector<std::vector<std::string>>, std::string> ReadMeterOption(
    const QString& text);

// The symbols as a meter file's row holds them, separated by tabs.
std::string MeterFileLine(const std::vector<std::string>& symbols);
// A meter file of these meters, a row each in order, each row ending in CR LF.
std::string MeterFileText(const std::vector<std::vector<std::string>>& meters);

}  // namespace corvale::meter
