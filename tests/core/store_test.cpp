#include "scansion/Store.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using corvale::Store;
using corvale::ValueRow;
using Views = std::vector<std::string_view>;

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

}  // namespace
