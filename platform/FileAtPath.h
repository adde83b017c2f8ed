#pragma once

// Reading a file at any path, named as the path's bytes (PathBytes): a poem, which may lie
// anywhere since it is only read, and the files named on a command line tool's command line.

#include <QString>

#include <cstdint>
#include <string>
#include <variant>

namespace corvale {

// Why a file could not be read.
struct ReadFailure {
    enum class Why { NotNamed, Missing, Folder, NotOrdinary, TooLarge, System };
    Why why = Why::System;
    int error = 0;  // System: the errno value

    // "there is no such file", "it is a folder", ..., or what the system said.
    std::string Reason() const;
};

// The whole ordinary file, through links. It is opened without blocking and checked again once
// open, so a FIFO (or a file swapped for one meanwhile) never makes the reader wait for a
// writer. Refused: an empty name, a missing file, a folder, anything but an ordinary file, and
// a file of more than `mostBytes`, before reading and again as it grows while being read.
std::variant<std::string, ReadFailure> ReadFileAtPath(const QString& path, std::int64_t mostBytes);
// The same, but a longer file gives its first `mostBytes` bytes: enough to tell what it is.
std::variant<std::string, ReadFailure> ReadFileBeginning(const QString& path,
                                                         std::int64_t mostBytes);

}  // namespace corvale
