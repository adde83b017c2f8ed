#pragma once

// What every command line tool of the program says the same way: a usage error, with the way
// to the tool's help, and a problem with one file, as compilers and grep report theirs.

#include <QString>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string_view>

namespace corvale::tools {

// The exit status of a command line the tool cannot run.
inline constexpr int kUsageError = 2;

// "PROGRAM: message" and "Try 'PROGRAM --help'." on `err`; gives kUsageError.
int UsageError(std::ostream& err, std::string_view program, std::string_view message);

// Runs a tool's whole work. An allocation that fails anywhere in it ends the run with
// "PROGRAM: out of memory" on `err` and exit status 1, never with an abort.
int RunWithinMemory(std::ostream& err, std::string_view program, const std::function<int()>& run);

// "file: message", or "file:row: message" for a row above 0.
void Complain(std::ostream& err, const QString& file, std::int64_t row, std::string_view message);

}  // namespace corvale::tools
