#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

// The --meter option of the command line tools: a meter given as its symbols.
namespace corvale::meter {

// What the tools say when the option's text is not a meter.
inline constexpr char kMeterOptionUsage[] =
    "--meter takes W and S symbols separated by spaces, such as \"W S W S W S W S W S\"";

// The symbols, upper case ("W" or "S"), of a text of W and S symbols in either case separated
// by white space; nothing when the text holds anything else, or no symbol.
std::optional<std::vector<std::string>> ParseMeterOption(const QString& text);

}  // namespace corvale::meter
