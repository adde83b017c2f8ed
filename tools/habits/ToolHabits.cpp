#include "ToolHabits.h"

namespace corvale::tools {

int UsageError(std::ostream& err, std::string_view program, std::string_view message) {
    err << program << ": " << message << "\nTry '" << program << " --help'.\n";
    return kUsageError;
}

void Complain(std::ostream& err, const QString& file, std::int64_t row, std::string_view message) {
    err << file.toStdString() << ':';
    if (row > 0) {
        err << row << ':';
    }
    err << ' ' << message << '\n';
}

}  // namespace corvale::tools
