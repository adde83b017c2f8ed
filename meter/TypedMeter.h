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

// The --meter option of the command line tools: its symbols, or the usage error to report. A
// meter of one place is refused too: it is what the shell passes when the symbols were not
// quoted, the others then taken for file names.
std::variant<std::vector<std::string>, std::string> ReadMeterOption(const QString& text);

// The symbols as a meter file's row holds them, separated by tabs.
std::string MeterFileLine(const std::vector<std::string>& symbols);

}  // namespace corvale::meter
