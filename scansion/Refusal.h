#pragma once

#include <cstdint>
#include <string>

namespace corvale {

// Why a file was not taken: a message in the program's voice (UTF-8), and the file's row it
// concerns (1-based), or 0 when it concerns the whole file. Command line tools print it as
// "file:row: message".
struct Refusal {
    std::string message;
    std::int64_t row = 0;
};

}  // namespace corvale
