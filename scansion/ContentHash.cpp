#include "scansion/ContentHash.h"

#include <bit>
#include <cstddef>
#include <cstring>

namespace corvale {

namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;

// Words are read little-endian whatever the machine, so the hash is the same everywhere.
std::uint64_t Word64(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap64(word);
    }
    return word;
}

std::uint64_t Word32(const char* at) {
    std::uint32_t word;
    std::memcpy(&word, at, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap32(word);
    }
    return word;
}

std::uint64_t Round(std::uint64_t lane, std::uint64_t word) {
    return std::rotl(lane + word * kPrime2, 31) * kPrime1;
}

std::uint64_t MergeLane(std::uint64_t hash, std::uint64_t lane) {
    return (hash ^ Round(0, lane)) * kPrime1 + kPrime4;
}

// The 32-byte stripes, folded into one value; `at` is left after the last whole stripe.
std::uint64_t Stripes(const char*& at, const char* end) {
    std::uint64_t lanes[4] = {kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1};
    for (; end - at >= 32; at += 32) {
        lanes[0] = Round(lanes[0], Word64(at));
        lanes[1] = Round(lanes[1], Word64(at + 8));
        lanes[2] = Round(lanes[2], Word64(at + 16));
        lanes[3] = Round(lanes[3], Word64(at + 24));
    }
    std::uint64_t hash = std::rotl(lanes[0], 1) + std::rotl(lanes[1], 7) + std::rotl(lanes[2], 12) +
                         std::rotl(lanes[3], 18);
    for (const std::uint64_t lane : lanes) {
        hash = MergeLane(hash, lane);
    }
    return hash;
}

// The last 0..31 bytes: whole words, then a half word, then single bytes.
std::uint64_t Tail(std::uint64_t hash, const char* at, const char* end) {
    for (; end - at >= 8; at += 8) {
        hash = std::rotl(hash ^ Round(0, Word64(at)), 27) * kPrime1 + kPrime4;
    }
    if (end - at >= 4) {
        hash ^= Word32(at) * kPrime1;
        hash = std::rotl(hash, 23) * kPrime2 + kPrime3;
        at += 4;
    }
    for (; at < end; ++at) {
        hash ^= static_cast<unsigned char>(*at) * kPrime5;
        hash = std::rotl(hash, 11) * kPrime1;
    }
    return hash;
}

std::uint64_t Avalanche(std::uint64_t hash) {
    hash ^= hash >> 33;
    hash *= kPrime2;
    hash ^= hash >> 29;
    hash *= kPrime3;
    return hash ^ (hash >> 32);
}

}  // namespace

std::uint64_t ContentHash(std::string_view bytes) {
    const char* at = bytes.data();
    const char* end = at + bytes.size();
    std::uint64_t hash = bytes.size() >= 32 ? Stripes(at, end) : kPrime5;
    hash += bytes.size();
    return Avalanche(Tail(hash, at, end));
}

}  // namespace corvale
