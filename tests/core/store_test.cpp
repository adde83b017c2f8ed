#include "scansion/Store.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using corvale::Store;
using corvale::ValueRow;
using Views = std::vector<std::string_view>;
using Strings = std::vector<std::string>;

// Values as the reader hands them over: the text after a row's third tab, with the positions of
// its tabs counted from an arbitrary origin, as in a file.
struct FieldRun {
    explicit FieldRun(std::string text, std::size_t origin = 1000) : text(std::move(text)) {
        for (std::size_t at = 0; at < this->text.size(); ++at) {
            if (this->text[at] == '\t') {
                separators.push_back(static_cast<std::uint32_t>(origin + at));
            }
        }
        values = {this->text, separators, origin};
    }
    std::string text;
    std::vector<std::uint32_t> separators;
    Store::SeparatedValues values;
};

void SetRow(Store& store, std::int32_t j, std::string_view lineText, std::string_view comment,
            const FieldRun& syllables, const FieldRun& stresses, const FieldRun& junctures) {
    store.SetRecord(j, lineText, comment, {syllables.values, stresses.values, junctures.values});
}

Strings HeldValues(const Store& store, ValueRow row, std::int32_t j) {
    Strings values;
    for (std::int32_t k = 1; k <= store.LastHeldPosition(row, j); ++k) {
        values.emplace_back(store.Value(row, j, k));
    }
    return values;
}

// The same values walked through RowValues.
Strings WalkedValues(const Store& store, ValueRow row, std::int32_t j) {
    Strings values;
    const Store::RowValues held = store.Values(row, j);
    for (std::int32_t k = 1; k <= held.Count(); ++k) {
        values.emplace_back(held[k]);
    }
    return values;
}

TEST(StoreTest, RowValuesWalkWhatValueReads) {
    Store store;
    store.Redimension(4, 5);
    const Views syllables{"Ty", "", "ger"};
    store.SetRecord(1, "Tyger", "", syllables, Views{"3"}, Views{"1", "4"});
    SetRow(store, 2, "burning", "bright", FieldRun("burn\ting"), FieldRun(""), FieldRun("2\t\t4"));
    store.SetRecord(3, "In the", "", Views{"In", "the"}, Views{"1", "1"}, Views{"2", "2"});
    store.SetValues(3, ValueRow::Stresses, Strings{"3", "", "1"});  // rewritten after loading
    for (std::int32_t j = -1; j <= 5; ++j) {  // 4 never written, -1 and 5 outside
        for (const ValueRow row : {ValueRow::Syllables, ValueRow::Stresses, ValueRow::Junctures}) {
            EXPECT_EQ(WalkedValues(store, row, j), HeldValues(store, row, j))
                << "row " << j << ", kind " << static_cast<int>(row);
        }
    }
    EXPECT_EQ(WalkedValues(store, ValueRow::Stresses, 3), (Strings{"3", "", "1"}));
}

TEST(StoreTest, RedimensionMakesEveryElementEmpty) {
    Store store;
    store.Redimension(3, 5);
    EXPECT_EQ(store.NumberOfLines(), 3);
    EXPECT_EQ(store.MaximumPositions(), 5);
    for (std::int32_t j = 0; j <= 3; ++j) {
        EXPECT_EQ(store.LineText(j), "");
        EXPECT_EQ(store.Comment(j), "");
        for (std::int32_t k = 0; k <= 5; ++k) {
            EXPECT_EQ(store.Value(ValueRow::Stresses, j, k), "");
        }
    }
}

TEST(StoreTest, SetRecordKeepsEachKindApart) {
    Store store;
    store.Redimension(2, 4);
    const Views syllables{"Hark", "", "lark"};
    const Views stresses{"3", "1"};
    const Views junctures{"1", "2", "3", "4"};
    store.SetRecord(2, "Hark the lark", "a comment", syllables, stresses, junctures);
    EXPECT_EQ(store.LineText(2), "Hark the lark");
    EXPECT_EQ(store.Comment(2), "a comment");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 2, 1), "Hark");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 2, 2), "");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 2, 3), "lark");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 2, 4), "");
    EXPECT_EQ(store.Value(ValueRow::Stresses, 2, 2), "1");
    EXPECT_EQ(store.Value(ValueRow::Stresses, 2, 3), "");
    EXPECT_EQ(store.Value(ValueRow::Junctures, 2, 4), "4");
    EXPECT_EQ(store.LastHeldPosition(ValueRow::Syllables, 2), 3);
    EXPECT_EQ(store.LastHeldPosition(ValueRow::Stresses, 2), 2);
    EXPECT_EQ(store.LineText(1), "");
}

TEST(StoreTest, StoreNeverSizedHasNoRowsAtAll) {
    Store store;
    EXPECT_EQ(store.LineText(0), "");
    EXPECT_EQ(store.Comment(0), "");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 0, 0), "");
    EXPECT_EQ(store.LastHeldPosition(ValueRow::Junctures, 0), 0);
    store.SetComment(0, "ignored");
    const std::vector<std::string> values{"x"};
    store.SetValues(0, ValueRow::Stresses, values);
    EXPECT_EQ(store.Comment(0), "");
    EXPECT_EQ(store.NumberOfLines(), 0);
}

TEST(StoreTest, ReadsOutsideTheStoreAreEmpty) {
    Store store;
    EXPECT_EQ(store.Value(ValueRow::Syllables, 5, 1), "");
    store.Redimension(1, 2);
    const Views values{"a", "b"};
    store.SetRecord(1, "t", "c", values, values, values);
    for (const auto& [j, k] : std::vector<std::pair<std::int32_t, std::int32_t>>{
             {1, 0}, {1, 3}, {1, -1}, {2, 1}, {-1, 1}, {0, 1}, {1, 2147483647}}) {
        EXPECT_EQ(store.Value(ValueRow::Syllables, j, k), "") << j << "," << k;
    }
    EXPECT_EQ(store.LineText(-1), "");
    EXPECT_EQ(store.Comment(2), "");
}

TEST(StoreTest, ValuesBeyondTheMaximumAreDropped) {
    Store store;
    store.Redimension(1, 2);
    const Views values{"a", "b", "c"};
    store.SetRecord(1, "", "", values, {}, {});
    EXPECT_EQ(store.Value(ValueRow::Syllables, 1, 2), "b");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 1, 3), "");
    EXPECT_EQ(store.LastHeldPosition(ValueRow::Syllables, 1), 2);
}

// Widening keeps every row's values, loaded or edited, and makes room for one more in each.
TEST(StoreTest, WideningKeepsEveryRowAndTakesTheWiderRow) {
    Store store;
    store.Redimension(3, 2);
    SetRow(store, 1, "one", "c1", FieldRun("a\tb"), FieldRun("1\t2"), FieldRun("3\t4"));
    const Views edited{"x", "y"};
    store.SetRecord(2, "two", "c2", edited, edited, edited);
    store.Widen(3);
    store.Widen(1);  // never narrows
    EXPECT_EQ(store.MaximumPositions(), 3);
    const std::vector<std::string> wider{"x", "y", "z"};
    store.SetValues(2, ValueRow::Syllables, wider);
    EXPECT_EQ(HeldValues(store, ValueRow::Syllables, 1), (Strings{"a", "b"}));
    EXPECT_EQ(HeldValues(store, ValueRow::Junctures, 1), (Strings{"3", "4"}));
    EXPECT_EQ(HeldValues(store, ValueRow::Syllables, 2), (Strings{"x", "y", "z"}));
    EXPECT_EQ(HeldValues(store, ValueRow::Stresses, 2), (Strings{"x", "y"}));
    EXPECT_EQ(store.Comment(1), "c1");
    EXPECT_EQ(store.LineText(2), "two");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 3, 3), "");
}

TEST(StoreTest, RowsOutsideAreIgnoredOnWrite) {
    Store store;
    store.Redimension(1, 2);
    const Views values{"a"};
    store.SetRecord(2, "x", "y", values, values, values);
    store.SetRecord(-1, "x", "y", values, values, values);
    store.SetComment(5, "z");
    const std::vector<std::string> strings{"q"};
    store.SetValues(-3, ValueRow::Stresses, strings);
    EXPECT_EQ(store.LineText(1), "");
    EXPECT_EQ(store.Comment(1), "");
}

TEST(StoreTest, SetValuesReplacesOneKindOnly) {
    Store store;
    store.Redimension(1, 4);
    const Views syllables{"a", "b", "c"};
    const Views stresses{"1", "2", "3"};
    const Views junctures{"4", "5", "6"};
    store.SetRecord(1, "line", "note", syllables, stresses, junctures);
    const std::vector<std::string> fresh{"x", "", "z", ""};
    store.SetValues(1, ValueRow::Stresses, fresh);
    EXPECT_EQ(store.Value(ValueRow::Stresses, 1, 1), "x");
    EXPECT_EQ(store.Value(ValueRow::Stresses, 1, 2), "");
    EXPECT_EQ(store.Value(ValueRow::Stresses, 1, 3), "z");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 1, 3), "c");
    EXPECT_EQ(store.Value(ValueRow::Junctures, 1, 1), "4");
    EXPECT_EQ(store.Value(ValueRow::Junctures, 1, 3), "6");
    EXPECT_EQ(store.LineText(1), "line");
    EXPECT_EQ(store.Comment(1), "note");

    const std::vector<std::string> fewer{"only"};
    store.SetValues(1, ValueRow::Syllables, fewer);
    EXPECT_EQ(store.Value(ValueRow::Syllables, 1, 1), "only");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 1, 2), "");
    EXPECT_EQ(store.Value(ValueRow::Stresses, 1, 3), "z");
}

TEST(StoreTest, SetCommentKeepsTheRest) {
    Store store;
    store.Redimension(1, 2);
    const Views values{"a", "b"};
    store.SetRecord(1, "line", "old", values, values, values);
    store.SetComment(1, "a much longer comment than before\r\nwith a break");
    EXPECT_EQ(store.Comment(1), "a much longer comment than before\r\nwith a break");
    EXPECT_EQ(store.LineText(1), "line");
    EXPECT_EQ(store.Value(ValueRow::Junctures, 1, 2), "b");
    store.SetComment(1, "");
    EXPECT_EQ(store.Comment(1), "");
}

TEST(StoreTest, BytesAreKeptExactly) {
    Store store;
    store.Redimension(1, 3);
    const std::string withNul("a\0b", 3);
    const Views values{" sp ", withNul, "\xe9"};
    store.SetRecord(1, "  text  ", " c ", values, {}, {});
    EXPECT_EQ(store.LineText(1), "  text  ");
    EXPECT_EQ(store.Comment(1), " c ");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 1, 1), " sp ");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 1, 2), withNul);
    EXPECT_EQ(store.Value(ValueRow::Syllables, 1, 3), "\xe9");
}

TEST(StoreTest, RedimensionDiscardsEarlierContents) {
    Store store;
    store.Redimension(2, 2);
    const Views values{"a"};
    store.SetRecord(1, "t", "c", values, values, values);
    store.Redimension(2, 2);
    EXPECT_EQ(store.LineText(1), "");
    EXPECT_EQ(store.Value(ValueRow::Syllables, 1, 1), "");
}

TEST(StoreTest, WidePositionsCostNothingUntilHeld) {
    Store narrow;
    narrow.Redimension(1000, 4);
    Store wide;
    wide.Redimension(1000, 32767);
    EXPECT_EQ(narrow.MemoryBytes(), wide.MemoryBytes());
}

TEST(StoreTest, MemoryGrowsWithHeldTexts) {
    Store store;
    store.Redimension(10, 4);
    const std::size_t empty = store.MemoryBytes();
    const std::string longText(1000, 'x');
    const Views values{longText};
    store.SetRecord(3, longText, "", values, {}, {});
    EXPECT_GE(store.MemoryBytes(), empty + 2000);
}

// --- Values handed over as separated runs, as loading does ---------------------------------

struct RunCase {
    const char* name;
    std::string text;
    std::int32_t maximum;
    Strings held;
};

class SeparatedRunTest : public testing::TestWithParam<RunCase> {};

TEST_P(SeparatedRunTest, HoldsTheValues) {
    Store store;
    store.Redimension(2, GetParam().maximum);
    const FieldRun run(GetParam().text);
    const FieldRun none("");
    SetRow(store, 1, "line", "note", none, run, none);
    EXPECT_EQ(HeldValues(store, ValueRow::Stresses, 1), GetParam().held);
    EXPECT_EQ(
        store.Value(ValueRow::Stresses, 1, static_cast<std::int32_t>(GetParam().held.size()) + 1),
        "");
    EXPECT_EQ(store.LineText(1), "line");
    EXPECT_EQ(store.Comment(1), "note");
    EXPECT_EQ(store.LastHeldPosition(ValueRow::Syllables, 1), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SeparatedRunTest,
    testing::Values(RunCase{"OneValue", "3", 4, {"3"}},
                    RunCase{"SeveralValues", "3\t1\t10", 4, {"3", "1", "10"}},
                    RunCase{"EmptyValueKeepsItsPlace", "a\t\tc", 4, {"a", "", "c"}},
                    RunCase{"LeadingEmptyValue", "\tb", 4, {"", "b"}},
                    RunCase{"NoValueAtAll", "", 4, {}}, RunCase{"OnlyEmptyValues", "\t\t", 4, {}},
                    RunCase{"TrailingEmptyValuesAreNotHeld", "a\t\t", 4, {"a"}},
                    RunCase{"BeyondTheMaximumIsDropped", "a\tb\tc", 2, {"a", "b"}},
                    RunCase{"CutAtTheMaximumBeforeAnEmptyValue", "a\t\tc", 2, {"a"}},
                    RunCase{"NoPositionsHoldNothing", "a\tb", 0, {}},
                    RunCase{"SpacesAndBytesKept", " x \t\xe9\r", 4, {" x ", "\xe9\r"}}),
    [](const auto& info) { return info.param.name; });

TEST(StoreArenaTest, RunsOfEveryKindStayApart) {
    Store store;
    store.Redimension(1, 3);
    SetRow(store, 1, "Hark the lark", "sung", FieldRun("Hark\tthe\tlark", 7),
           FieldRun("3\t1\t3", 0), FieldRun("1\t2", 123456));
    EXPECT_EQ(HeldValues(store, ValueRow::Syllables, 1), (Strings{"Hark", "the", "lark"}));
    EXPECT_EQ(HeldValues(store, ValueRow::Stresses, 1), (Strings{"3", "1", "3"}));
    EXPECT_EQ(HeldValues(store, ValueRow::Junctures, 1), (Strings{"1", "2"}));
}

TEST(StoreArenaTest, EditsAfterLoadingLeaveOtherRowsAlone) {
    Store store;
    store.Redimension(3, 3);
    for (std::int32_t j = 1; j <= 3; ++j) {
        const std::string n = std::to_string(j);
        SetRow(store, j, "line " + n, "note " + n, FieldRun("a" + n + "\tb" + n), FieldRun("1\t2"),
               FieldRun("3\t4"));
    }
    const Strings fresh{"x", "", "z"};
    store.SetValues(2, ValueRow::Stresses, fresh);
    store.SetComment(2, "edited");
    EXPECT_EQ(HeldValues(store, ValueRow::Stresses, 2), (Strings{"x", "", "z"}));
    EXPECT_EQ(HeldValues(store, ValueRow::Syllables, 2), (Strings{"a2", "b2"}));
    EXPECT_EQ(HeldValues(store, ValueRow::Junctures, 2), (Strings{"3", "4"}));
    EXPECT_EQ(store.LineText(2), "line 2");
    EXPECT_EQ(store.Comment(2), "edited");
    for (const std::int32_t j : {1, 3}) {
        const std::string n = std::to_string(j);
        EXPECT_EQ(store.LineText(j), "line " + n);
        EXPECT_EQ(store.Comment(j), "note " + n);
        EXPECT_EQ(HeldValues(store, ValueRow::Syllables, j), (Strings{"a" + n, "b" + n}));
        EXPECT_EQ(HeldValues(store, ValueRow::Stresses, j), (Strings{"1", "2"}));
    }
}

TEST(StoreArenaTest, ManyEditsOfOneRowKeepTheLastAndTheRest) {
    Store store;
    store.Redimension(2, 4);
    SetRow(store, 1, "first", "one", FieldRun("a\tb"), FieldRun("1"), FieldRun("2"));
    SetRow(store, 2, "second", "two", FieldRun("c"), FieldRun("3"), FieldRun("4"));
    for (int edit = 0; edit < 2000; ++edit) {
        const Strings values{std::to_string(edit), "", std::to_string(edit % 7)};
        store.SetValues(2, static_cast<ValueRow>(edit % 3), values);
        store.SetComment(2, std::string(static_cast<std::size_t>(edit % 50), 'c'));
    }
    EXPECT_EQ(HeldValues(store, ValueRow::Syllables, 2), (Strings{"1998", "", "3"}));
    EXPECT_EQ(HeldValues(store, ValueRow::Stresses, 2), (Strings{"1999", "", "4"}));
    EXPECT_EQ(HeldValues(store, ValueRow::Junctures, 2), (Strings{"1997", "", "2"}));
    EXPECT_EQ(store.Comment(2), std::string(49, 'c'));
    EXPECT_EQ(store.LineText(2), "second");
    EXPECT_EQ(store.LineText(1), "first");
    EXPECT_EQ(store.Comment(1), "one");
    EXPECT_EQ(HeldValues(store, ValueRow::Syllables, 1), (Strings{"a", "b"}));
}

TEST(StoreArenaTest, CopiesFromItselfSurviveTheArenaMoving) {
    Store store;
    store.Redimension(40, 3);
    const std::string longText(300, 't');
    const Views values{"one", "", "three"};
    store.SetRecord(1, longText, "c", values, values, values);
    for (std::int32_t j = 2; j <= 40; ++j) {
        // Every text is a view into the arena that this very write may move.
        const Views previous{store.Value(ValueRow::Syllables, j - 1, 1),
                             store.Value(ValueRow::Syllables, j - 1, 2),
                             store.Value(ValueRow::Syllables, j - 1, 3)};
        store.SetRecord(j, store.LineText(j - 1), store.Comment(j - 1), previous, previous, {});
    }
    EXPECT_EQ(store.LineText(40), longText);
    EXPECT_EQ(store.Comment(40), "c");
    EXPECT_EQ(HeldValues(store, ValueRow::Stresses, 40), (Strings{"one", "", "three"}));
    EXPECT_EQ(store.LastHeldPosition(ValueRow::Junctures, 40), 0);
}

TEST(StoreArenaTest, RowsNeverWrittenReadEmptyAmongWrittenOnes) {
    Store store;
    store.Redimension(5, 2);
    SetRow(store, 2, "two", "c2", FieldRun("a"), FieldRun("1"), FieldRun("2"));
    SetRow(store, 4, "four", "c4", FieldRun("b"), FieldRun("3"), FieldRun("4"));
    for (const std::int32_t j : {0, 1, 3, 5}) {
        EXPECT_EQ(store.LineText(j), "") << j;
        EXPECT_EQ(store.Comment(j), "") << j;
        EXPECT_EQ(store.Value(ValueRow::Syllables, j, 1), "") << j;
        EXPECT_EQ(store.LastHeldPosition(ValueRow::Stresses, j), 0) << j;
    }
    EXPECT_EQ(store.LineText(4), "four");
    EXPECT_EQ(store.Value(ValueRow::Junctures, 2, 1), "2");
}

TEST(StoreArenaTest, RedimensionGivesBackTheArena) {
    Store store;
    store.Redimension(3, 2);
    const std::size_t empty = store.MemoryBytes();
    store.Reserve(10000, 100);
    SetRow(store, 1, std::string(5000, 'x'), "c", FieldRun("a\tb"), FieldRun("1"), FieldRun("2"));
    store.SetComment(1, "edited");
    EXPECT_GE(store.MemoryBytes(), empty + 5000);
    store.Redimension(3, 2);
    EXPECT_EQ(store.MemoryBytes(), empty);
    EXPECT_EQ(store.LineText(1), "");
    EXPECT_EQ(store.Comment(1), "");
    EXPECT_EQ(store.LastHeldPosition(ValueRow::Syllables, 1), 0);
}

TEST(StoreArenaTest, ReservedRoomIsUsedWithoutMoving) {
    Store store;
    store.Redimension(2, 2);
    store.Reserve(100, 20);
    const std::size_t reserved = store.MemoryBytes();
    SetRow(store, 1, "line", "c", FieldRun("a\tb"), FieldRun("1\t2"), FieldRun("3"));
    SetRow(store, 2, "line", "c", FieldRun("a\tb"), FieldRun("1\t2"), FieldRun("3"));
    EXPECT_EQ(store.MemoryBytes(), reserved);
    EXPECT_EQ(store.Value(ValueRow::Stresses, 2, 2), "2");
}

}  // namespace
