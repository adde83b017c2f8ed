#pragma once

#include <cstdint>
#include <string_view>

namespace corvale {

// XXH64 with seed 0, as its author publishes it: a fixed 64-bit non-cryptographic hash that
// reads the bytes as little-endian 8-byte words in four independent lanes, so it runs at memory
// speed. Written out here so that no library is needed; its value for given bytes is the same
// on every build and machine, which the journal relies on to recognise a file's content. It
// guards against accidental change, not against attack.
std::uint64_t ContentHash(std::string_view bytes);

}  // namespace corvale
