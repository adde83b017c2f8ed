#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace corvale::meter {

// A meter as a person types it: "W" and "S" symbols, in either case, separated by spaces, such as
// "W S W S W S W S W S". The symbols in upper case, one a place; nullopt for any other text, and
// for none at all.
std::optional<std::vector<std::string>> ReadTypedMeter(const QString& text);

}  // namespace corvale::meter
