#include "scansion/TabScan.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvale {

namespace {

constexpr std::size_t kChunk = 64;

// Bit i stands for byte i of a 64-byte chunk.
struct Masks {
    std::uint64_t tabs = 0;
    std::uint64_t lineFeeds = 0;
    std::uint64_t high = 0;  // the byte's high bit is set
    std::uint32_t tabCount = 0;
};

// Without a population-count instruction the library call costs more than these.
std::uint32_t CountBits(std::uint64_t bits) {
#if defined(__POPCNT__)
    return static_cast<std::uint32_t>(std::popcount(bits));
#else
    bits -= (bits >> 1) & 0x5555555555555555ULL;
    bits = (bits & 0x3333333333333333ULL) + ((bits >> 2) & 0x3333333333333333ULL);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<std::uint32_t>((bits * 0x0101010101010101ULL) >> 56);
#endif
}

#if defined(__SSE2__)
Masks MasksOf(const char* chunk) {
    Masks masks;
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    __m128i tabsPerLane = _mm_setzero_si128();  // each match is -1
    for (std::size_t part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk) + part);
        const auto mask = [&](__m128i lanes) {
            return static_cast<std::uint64_t>(_mm_movemask_epi8(lanes)) << (16 * part);
        };
        const __m128i tabs = _mm_cmpeq_epi8(bytes, tab);
        tabsPerLane = _mm_sub_epi8(tabsPerLane, tabs);
        masks.tabs |= mask(tabs);
        masks.lineFeeds |= mask(_mm_cmpeq_epi8(bytes, lineFeed));
        masks.high |= mask(bytes);
    }
    const __m128i sums = _mm_sad_epu8(tabsPerLane, _mm_setzero_si128());
    masks.tabCount = static_cast<std::uint32_t>(_mm_cvtsi128_si32(sums) +
                                                _mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    return masks;
}
#else
Masks MasksOf(const char* chunk) {
    Masks masks;
    for (std::size_t i = 0; i < kChunk; ++i) {
        masks.tabs |= static_cast<std::uint64_t>(chunk[i] == '\t') << i;
        masks.lineFeeds |= static_cast<std::uint64_t>(chunk[i] == '\n') << i;
        masks.high |= static_cast<std::uint64_t>(static_cast<unsigned char>(chunk[i]) >> 7) << i;
    }
    masks.tabCount = CountBits(masks.tabs);
    return masks;
}
#endif

std::uint32_t LowestBit(std::uint64_t bits) {
    return static_cast<std::uint32_t>(std::countr_zero(bits));
}

// Writes the positions of the `count` set bits, base + bit. Eight are written whatever the
// chunk holds, so the common case of a few tabs takes no branch; `out` has room for 64.
void Gather(std::uint64_t bits, std::uint32_t count, std::uint32_t base, std::uint32_t* out) {
    for (std::uint32_t i = 0; i < 8; ++i) {
        out[i] = base + LowestBit(bits);
        bits &= bits - 1;
    }
    for (std::uint32_t i = 8; i < count; ++i) {
        out[i] = base + LowestBit(bits);
        bits &= bits - 1;
    }
}

}  // namespace

TabIndex::TabIndex(std::string_view bytes) {
    tabCapacity_ = bytes.size() / 8 + kChunk;  // about one tab in ten bytes in a real file
    tabs_ = std::make_unique_for_overwrite<std::uint32_t[]>(tabCapacity_);
    rowEnds_.reserve(bytes.size() / 64 + 1);
    rowTabEnds_.reserve(bytes.size() / 64 + 1);
    std::uint64_t high = 0;
    const auto add = [&](std::size_t start, const Masks& masks) {
        if (tabCapacity_ - tabCount_ < kChunk) {
            GrowTabs();
        }
        const auto base = static_cast<std::uint32_t>(start);
        Gather(masks.tabs, masks.tabCount, base, tabs_.get() + tabCount_);
        for (std::uint64_t lineFeeds = masks.lineFeeds; lineFeeds != 0;
             lineFeeds &= lineFeeds - 1) {
            const std::uint32_t at = LowestBit(lineFeeds);
            rowEnds_.push_back(base + at);
            const std::uint64_t earlier = (std::uint64_t{1} << at) - 1;
            rowTabEnds_.push_back(
                static_cast<std::uint32_t>(tabCount_ + CountBits(masks.tabs & earlier)));
        }
        tabCount_ += masks.tabCount;
        high |= masks.high;
    };
    char last[kChunk] = {};  // the last bytes, then neither tab nor line feed
    for (std::size_t start = 0; start < bytes.size(); start += kChunk) {
        const char* chunk = bytes.data() + start;
        if (bytes.size() - start < kChunk) {
            std::memcpy(last, chunk, bytes.size() - start);
            chunk = last;
        }
        add(start, MasksOf(chunk));
    }
    allAscii_ = high == 0;
    const std::size_t lastEnd = rowEnds_.empty() ? 0 : rowEnds_.back() + 1;
    endsWithLineFeed_ = lastEnd == bytes.size();
    if (!endsWithLineFeed_) {  // a last row without a line end
        rowEnds_.push_back(static_cast<std::uint32_t>(bytes.size()));
        rowTabEnds_.push_back(static_cast<std::uint32_t>(tabCount_));
    }
}

void TabIndex::GrowTabs() {
    tabCapacity_ = 2 * tabCapacity_ + kChunk;
    auto grown = std::make_unique_for_overwrite<std::uint32_t[]>(tabCapacity_);
    std::memcpy(grown.get(), tabs_.get(), tabCount_ * sizeof(std::uint32_t));
    tabs_ = std::move(grown);
}

}  // namespace corvale
