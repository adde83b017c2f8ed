#include "editor/EditRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace corvale::editor {
namespace {

using Texts = std::vector<std::string>;

// A working copy written as its positions 1..m, "syllable/stress/juncture" each, blank-separated;
// position 0 is the unused empty element.
struct SplitLine {
    Texts syllables{""};
    Texts stresses{""};
    Texts junctures{""};

    explicit SplitLine(const std::string& columns) {
        std::istringstream in(columns);
        for (std::string column; in >> column;) {
            const std::size_t a = column.find('/');
            const std::size_t b = column.find('/', a + 1);
            syllables.push_back(column.substr(0, a));
            stresses.push_back(column.substr(a + 1, b - a - 1));
            junctures.push_back(column.substr(b + 1));
        }
    }
    std::string Columns() const {
        std::string out;
        for (std::size_t i = 1; i < syllables.size(); ++i) {
            out += (i > 1 ? " " : "") + syllables[i] + "/" + stresses[i] + "/" + junctures[i];
        }
        return out;
    }
};

// A full line of n syllables "s1".."sn", stress 2 and juncture 3 each.
std::string FullLine(std::int32_t n) {
    std::string line = "s1/2/3";
    for (std::int32_t i = 2; i <= n; ++i) {
        line += " s" + std::to_string(i) + "/2/3";
    }
    return line;
}

struct SplitCase {
    const char* name;
    std::string before;
    std::int32_t k;
    std::int32_t caret;  // in UTF-16 units of the decoded syllable
    Encoding encoding;
    SplitOutcome outcome;
    std::string after;  // the line unchanged when nothing was split
};

class SplitTable : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTable, CutsAtTheCaretAndMovesTheValues) {
    const SplitCase& c = GetParam();
    SplitLine line(c.before);
    const auto m = static_cast<std::int32_t>(line.syllables.size()) - 1;
    const auto cut = CutAtCaret(line.syllables[static_cast<std::size_t>(c.k)], c.encoding, c.caret);
    EXPECT_EQ(Split(line.syllables, line.stresses, line.junctures, c.k, cut.value_or(0), m),
              c.outcome);
    EXPECT_EQ(line.Columns(), c.after);
}

constexpr char kFour[] = "tem/2/1 perate/3/4 and/1/0 //";

INSTANTIATE_TEST_SUITE_P(
    Split, SplitTable,
    testing::Values(
        SplitCase{"Middle", kFour, 2, 3, Encoding::Utf8, SplitOutcome::Split,
                  "tem/2/1 per/3/1 ate/1/4 and/1/0"},
        SplitCase{"FirstColumn", kFour, 1, 1, Encoding::Utf8, SplitOutcome::Split,
                  "t/2/1 em/1/1 perate/3/4 and/1/0"},
        // The last syllable of the line, with a free column after it.
        SplitCase{"LastSyllable", kFour, 3, 2, Encoding::Utf8, SplitOutcome::Split,
                  "tem/2/1 perate/3/4 an/1/1 d/1/0"},
        SplitCase{"CaretAtTheStart", kFour, 2, 0, Encoding::Utf8, SplitOutcome::NothingToSplit,
                  kFour},
        SplitCase{"CaretAtTheEnd", kFour, 2, 6, Encoding::Utf8, SplitOutcome::NothingToSplit,
                  kFour},
        SplitCase{"EmptySyllable", kFour, 4, 0, Encoding::Utf8, SplitOutcome::NothingToSplit,
                  kFour},
        // "é" is two UTF-8 bytes: the cut falls after both.
        SplitCase{"Utf8CharacterKeptWhole", "d\xC3\xA9ja/1/0 //", 1, 2, Encoding::Utf8,
                  SplitOutcome::Split, "d\xC3\xA9/1/1 ja/1/0"},
        // "e" and a combining acute are one character: a caret between them cuts before both.
        SplitCase{"CombiningMarkStaysWithItsLetter", "de\xCC\x81ja/1/0 //", 1, 2, Encoding::Utf8,
                  SplitOutcome::Split, "d/1/1 e\xCC\x81ja/1/0"},
        // U+1D11E is a surrogate pair in the box: a caret inside it cuts before it.
        SplitCase{"SurrogatePairStaysWhole", "a\U0001D11Eb/1/0 //", 1, 2, Encoding::Utf8,
                  SplitOutcome::Split, "a/1/1 \U0001D11Eb/1/0"},
        // In Windows-1252 "é" is one byte.
        SplitCase{"Windows1252", "d\xE9ja/1/0 //", 1, 2, Encoding::Windows1252, SplitOutcome::Split,
                  "d\xE9/1/1 ja/1/0"},
        // Position m holds a value: the line grows by one position and keeps every syllable.
        SplitCase{"FullLineGrowsAtItsLastColumn", FullLine(3), 3, 1, Encoding::Utf8,
                  SplitOutcome::SplitAndGrew, "s1/2/3 s2/2/3 s/2/1 3/1/3"},
        // Only a juncture left at position m still makes the line full.
        SplitCase{"AValueAloneAtTheLastPositionMakesItFull", "ab/1/0 //5", 1, 1, Encoding::Utf8,
                  SplitOutcome::SplitAndGrew, "a/1/1 b/1/0 //5"},
        SplitCase{"FullLineAtTheLimit", FullLine(kMostPositions), 7, 1, Encoding::Utf8,
                  SplitOutcome::LineTooLong, FullLine(kMostPositions)}),
    [](const auto& info) { return info.param.name; });

struct TypedCase {
    const char* name;
    QString typed;
    std::string old;
    Encoding encoding;
    TypedVerdict verdict;
    std::string bytes;
};

class TypedSyllableTable : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedSyllableTable, KeepsOnlyWhatTheFileCanHold) {
    const TypedCase& c = GetParam();
    const TypedSyllable taken = TakeTypedSyllable(c.typed, c.old, c.encoding);
    EXPECT_EQ(taken.verdict, c.verdict);
    EXPECT_EQ(taken.bytes, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, TypedSyllableTable,
    testing::Values(TypedCase{"RetypedAndTrimmed", QStringLiteral("  Thee "), "Thou",
                              Encoding::Utf8, TypedVerdict::Taken, "Thee"},
                    // Untouched text is not trimmed: the syllable stays as the file has it.
                    TypedCase{"UntouchedKeepsItsSpaces", QStringLiteral(" Thou"), " Thou",
                              Encoding::Utf8, TypedVerdict::Unchanged, " Thou"},
                    TypedCase{"Blank", QStringLiteral("   "), "Thou", Encoding::Utf8,
                              TypedVerdict::Blank, "Thou"},
                    TypedCase{"BreaksBecomeSpaces", QStringLiteral("a\tb\r\nc"), "x",
                              Encoding::Utf8, TypedVerdict::Taken, "a b  c"},
                    TypedCase{"Windows1252HoldsItsOwn", QStringLiteral("\u00E9\u20AC"), "x",
                              Encoding::Windows1252, TypedVerdict::Taken, "\xE9\x80"},
                    TypedCase{"Windows1252RefusesAnAstralCharacter", QStringLiteral("a\U0001D11E"),
                              "x", Encoding::Windows1252, TypedVerdict::NotEncodable, "x"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace corvale::editor
