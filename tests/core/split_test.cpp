#include "editor/EditRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace corvale::editor {
namespace {

using Texts = std::vector<std::string>;

// A working copy given by positions 1..m; position 0 is the unused empty element.
struct SplitLine {
    Texts syllables;
    Texts stresses;
    Texts junctures;

    static SplitLine From(const Texts& syl, const Texts& str, const Texts& jun) {
        SplitLine line{{""}, {""}, {""}};
        line.syllables.insert(line.syllables.end(), syl.begin(), syl.end());
        line.stresses.insert(line.stresses.end(), str.begin(), str.end());
        line.junctures.insert(line.junctures.end(), jun.begin(), jun.end());
        return line;
    }
    bool operator==(const SplitLine&) const = default;
};

void PrintTo(const SplitLine& line, std::ostream* os) {
    for (const Texts* row : {&line.syllables, &line.stresses, &line.junctures}) {
        *os << "[";
        for (const auto& t : *row) {
            *os << '"' << t << "\" ";
        }
        *os << "] ";
    }
}

// A full line of n syllables "s1".."sn", stress 2 and juncture 3 each.
SplitLine FullLine(std::int32_t n) {
    Texts syllables;
    for (std::int32_t i = 1; i <= n; ++i) {
        syllables.push_back("s" + std::to_string(i));
    }
    return SplitLine::From(syllables, Texts(syllables.size(), "2"), Texts(syllables.size(), "3"));
}

struct SplitCase {
    const char* name;
    SplitLine before;
    std::int32_t k;
    std::int32_t caret;  // in UTF-16 units of the decoded syllable
    Encoding encoding;
    SplitOutcome outcome;
    SplitLine after;  // the line unchanged when nothing was split
};

class SplitTable : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTable, CutsAtTheCaretAndMovesTheValues) {
    const SplitCase& c = GetParam();
    SplitLine line = c.before;
    const auto m = static_cast<std::int32_t>(line.syllables.size()) - 1;
    const auto at = static_cast<std::size_t>(c.k);
    const std::optional<std::size_t> cut = at < line.syllables.size()
                                               ? CutAtCaret(line.syllables[at], c.encoding, c.caret)
                                               : std::nullopt;
    const SplitOutcome outcome =
        Split(line.syllables, line.stresses, line.junctures, c.k, cut.value_or(0), m);
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(line, c.after);
}

const SplitLine kFour =
    SplitLine::From({"tem", "perate", "and", ""}, {"2", "3", "1", ""}, {"1", "4", "0", ""});

INSTANTIATE_TEST_SUITE_P(
    Split, SplitTable,
    testing::Values(
        SplitCase{"Middle", kFour, 2, 3, Encoding::Utf8, SplitOutcome::Split,
                  SplitLine::From({"tem", "per", "ate", "and"}, {"2", "3", "1", "1"},
                                  {"1", "1", "4", "0"})},
        SplitCase{"FirstColumn", kFour, 1, 1, Encoding::Utf8, SplitOutcome::Split,
                  SplitLine::From({"t", "em", "perate", "and"}, {"2", "1", "3", "1"},
                                  {"1", "1", "4", "0"})},
        // The last syllable of the line, with a free column after it.
        SplitCase{"LastSyllable", kFour, 3, 2, Encoding::Utf8, SplitOutcome::Split,
                  SplitLine::From({"tem", "perate", "an", "d"}, {"2", "3", "1", "1"},
                                  {"1", "4", "1", "0"})},
        SplitCase{"CaretAtTheStart", kFour, 2, 0, Encoding::Utf8, SplitOutcome::NothingToSplit,
                  kFour},
        SplitCase{"CaretAtTheEnd", kFour, 2, 6, Encoding::Utf8, SplitOutcome::NothingToSplit,
                  kFour},
        SplitCase{"EmptySyllable", kFour, 4, 0, Encoding::Utf8, SplitOutcome::NothingToSplit,
                  kFour},
        // "é" is two UTF-8 bytes: the cut falls after both.
        SplitCase{"Utf8CharacterKeptWhole",
                  SplitLine::From({"d\xC3\xA9ja", ""}, {"1", ""}, {"0", ""}), 1, 2, Encoding::Utf8,
                  SplitOutcome::Split,
                  SplitLine::From({"d\xC3\xA9", "ja"}, {"1", "1"}, {"1", "0"})},
        // "e" and a combining acute are one character: a caret between them cuts before both.
        SplitCase{"CombiningMarkStaysWithItsLetter",
                  SplitLine::From({"de\xCC\x81ja", ""}, {"1", ""}, {"0", ""}), 1, 2, Encoding::Utf8,
                  SplitOutcome::Split,
                  SplitLine::From({"d", "e\xCC\x81ja"}, {"1", "1"}, {"1", "0"})},
        // U+1D11E is a surrogate pair in the box: a caret inside it cuts before it.
        SplitCase{"SurrogatePairStaysWhole",
                  SplitLine::From({"a\xF0\x9D\x84\x9E"
                                   "b",
                                   ""},
                                  {"1", ""}, {"0", ""}),
                  1, 2, Encoding::Utf8, SplitOutcome::Split,
                  SplitLine::From({"a",
                                   "\xF0\x9D\x84\x9E"
                                   "b"},
                                  {"1", "1"}, {"1", "0"})},
        // In Windows-1252 "é" is one byte.
        SplitCase{"Windows1252", SplitLine::From({"d\xE9ja", ""}, {"1", ""}, {"0", ""}), 1, 2,
                  Encoding::Windows1252, SplitOutcome::Split,
                  SplitLine::From({"d\xE9", "ja"}, {"1", "1"}, {"1", "0"})},
        // Position m holds a value: the line grows by one position and keeps every syllable.
        SplitCase{
            "FullLineGrowsAtItsLastColumn", FullLine(3), 3, 1, Encoding::Utf8,
            SplitOutcome::SplitAndGrew,
            SplitLine::From({"s1", "s2", "s", "3"}, {"2", "2", "2", "1"}, {"3", "3", "1", "3"})},
        // Only a juncture left at position m still makes the line full.
        SplitCase{"AValueAloneAtTheLastPositionMakesItFull",
                  SplitLine::From({"ab", ""}, {"1", ""}, {"0", "5"}), 1, 1, Encoding::Utf8,
                  SplitOutcome::SplitAndGrew,
                  SplitLine::From({"a", "b", ""}, {"1", "1", ""}, {"1", "0", "5"})},
        SplitCase{"FullLineAtTheLimit", FullLine(kMostPositions), 7, 1, Encoding::Utf8,
                  SplitOutcome::LineTooLong, FullLine(kMostPositions)}),
    [](const auto& info) { return info.param.name; });

// A merge after a split gives back the values; the texts are joined with one blank.
TEST(SplitRule, MergeAfterSplitGivesBackTheValues) {
    SplitLine line = kFour;
    Split(line.syllables, line.stresses, line.junctures, 2, 3, 4);
    Merge(line.syllables, line.stresses, line.junctures, 2, 4);
    SplitLine joined = kFour;
    joined.syllables[2] = "per ate";
    EXPECT_EQ(line, joined);
}

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
    testing::Values(TypedCase{"Retyped", QStringLiteral("Thee"), "Thou", Encoding::Utf8,
                              TypedVerdict::Taken, "Thee"},
                    TypedCase{"Trimmed", QStringLiteral("  Thee "), "Thou", Encoding::Utf8,
                              TypedVerdict::Taken, "Thee"},
                    // Untouched text is not trimmed: the syllable stays as the file has it.
                    TypedCase{"UntouchedKeepsItsSpaces", QStringLiteral(" Thou"), " Thou",
                              Encoding::Utf8, TypedVerdict::Unchanged, " Thou"},
                    TypedCase{"Empty", QString(), "Thou", Encoding::Utf8, TypedVerdict::Blank,
                              "Thou"},
                    TypedCase{"Blank", QStringLiteral("   "), "Thou", Encoding::Utf8,
                              TypedVerdict::Blank, "Thou"},
                    TypedCase{"BreaksBecomeSpaces", QStringLiteral("a\tb\r\nc"), "x",
                              Encoding::Utf8, TypedVerdict::Taken, "a b  c"},
                    TypedCase{"Windows1252HoldsItsOwn", QStringLiteral("\u00E9\u20AC"), "x",
                              Encoding::Windows1252, TypedVerdict::Taken, "\xE9\x80"},
                    TypedCase{"Windows1252RefusesAnAstralCharacter", QStringLiteral("a\U0001D11E"),
                              "x", Encoding::Windows1252, TypedVerdict::NotEncodable, "x"},
                    TypedCase{"Windows1252RefusesOmega", QStringLiteral("a\u03A9"), "x",
                              Encoding::Windows1252, TypedVerdict::NotEncodable, "x"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace corvale::editor
