#include "ToolHabits.h"

#include <new>

namespace corvale::tools {

int UsageError(std::ostream& err, std::string_view program, std::string_view message) {
    err << program << ": " << message << "\nTry '" << program << " --help'.\n";
    return kUsageError;
}

int RunWithinMemory(std::ostream& err, std::string_view program, const std::function<int()>& run) {
    try {
        return run();
    } catch (const std::bad_alloc&) {
        err << program << ": out of memory\n";
        return 1;
    }
}

void Complain(std::ostream& err, const QString& file, std::int64_t row, std::string_view message) {
    err << file.toStdString() << ':';
    if (row > 0) {
        err << row << ':';
    }
    err << ' ' << message << '\n';
}

}  // namespace corvale::tools
