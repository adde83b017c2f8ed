#pragma once

// What the journal's writer and reader must agree on (see Journal.h for the layout).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvale::journal {

inline constexpr std::string_view kMagic = "corvale-journal";
inline constexpr std::string_view kVersion = "1";
inline constexpr std::string_view kEndKeyword = "end";

// A hash or checksum as written: 16 lower-case hex digits.
void AppendHex16(std::string& out, std::uint64_t value);
// Exactly 16 lower-case hex digits, and nothing else.
std::optional<std::uint64_t> ParseHex16(std::string_view text);

}  // namespace corvale::journal
