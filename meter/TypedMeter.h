#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace corvale::meter {

// A meter typed by hand, as the command line tools' --meter takes it: W and S symbols in any
// case, separated by blanks ("W S W S"). Gives the symbols in upper case, or nothing when the
// text holds another symbol or none at all.
std::optional<std::vector<std::string>> ParseTypedMeter(const QString& text);

}  // namespace corvale::meter
