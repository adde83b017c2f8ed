#include "platform/Platform.h"
#include "scansion/TabScan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using corvale::RowCursor;
using corvale::TabbedRows;
using corvale::TabIndex;

struct IndexedRow {
    std::string text;
    std::vector<std::size_t> tabs;  // counted from the row's start
    bool operator==(const IndexedRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const IndexedRow& row) {
    out << '"' << row.text << "\" tabs";
    for (const std::size_t tab : row.tabs) {
        out << ' ' << tab;
    }
    return out;
}

// What the index must give: RowCursor's rows, with each tab found byte by byte.
std::vector<IndexedRow> Expected(const std::string& bytes) {
    std::vector<IndexedRow> rows;
    RowCursor cursor(bytes);
    while (!cursor.AtEnd()) {
        IndexedRow row{std::string(cursor.Next()), {}};
        for (std::size_t at = 0; at < row.text.size(); ++at) {
            if (row.text[at] == '\t') {
                row.tabs.push_back(at);
            }
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<IndexedRow> Indexed(const std::string& bytes) {
    const TabIndex index(bytes);
    TabbedRows cursor(bytes, index);
    std::vector<IndexedRow> rows;
    while (!cursor.AtEnd()) {
        const TabIndex::Row row = cursor.Next();
        IndexedRow got{std::string(row.text), {}};
        EXPECT_EQ(row.text.data(), bytes.data() + row.start);
        for (std::size_t i = 0; i < row.tabs.size(); ++i) {
            got.tabs.push_back(row.Tab(i));
        }
        rows.push_back(got);
    }
    EXPECT_EQ(rows.size(), index.RowCount());
    return rows;
}

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

struct IndexCase {
    const char* name;
    std::string bytes;
};

class TabIndexTest : public testing::TestWithParam<IndexCase> {};

TEST_P(TabIndexTest, AgreesWithRowCursor) {
    EXPECT_EQ(Indexed(GetParam().bytes), Expected(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, TabIndexTest,
    testing::Values(
        IndexCase{"Empty", ""}, IndexCase{"OneLineFeed", "\n"}, IndexCase{"NoLineEnd", "a\tb"},
        IndexCase{"CrLfRows", "1\tx\r\n2\ty\r\n"}, IndexCase{"LoneCrStaysInTheRow", "a\rb\r\n"},
        IndexCase{"LastRowKeepsItsCr", "a\r\nb\t\r"}, IndexCase{"OnlyACr", "\r"},
        IndexCase{"BlankRows", "\r\n\r\n\n\t\n"}, IndexCase{"TabsOnly", "\t\t\t\t"},
        IndexCase{"TabThenLineFeedAtChunkEdge", std::string(62, 'x') + "\t\n\tz"},
        IndexCase{"LineFeedAsByte64", std::string(63, 'x') + "\n" + "\ty\n"},
        IndexCase{"TabAsByte64", std::string(63, 'x') + "\t" + "y\n"},
        IndexCase{"DenseTabsPastEightPerChunk", Repeat("\ta", 100) + "\r\n" + Repeat("\t", 70)},
        IndexCase{"ManyShortRows", Repeat("1\t\r\n", 40)},
        IndexCase{"RowLongerThanAChunk", std::string(130, 'w') + "\t" + std::string(70, 'v')},
        IndexCase{"HighBytesAndNul", std::string("\xe9\t\0\t\xff\n", 6)}),
    [](const auto& info) { return info.param.name; });

TEST(TabIndexTest, NoticesAnyHighByte) {
    for (const std::size_t at :
         {std::size_t{0}, std::size_t{63}, std::size_t{64}, std::size_t{99}}) {
        std::string bytes(100, 'a');
        EXPECT_TRUE(TabIndex(bytes).AllAscii());
        bytes[at] = '\x80';
        EXPECT_FALSE(TabIndex(bytes).AllAscii()) << at;
    }
    EXPECT_TRUE(TabIndex("").AllAscii());
}

TEST(TabIndexTest, GrowsPastItsFirstGuess) {
    // Far more tabs than the index first makes room for.
    const std::string bytes = Repeat("\t", 5000) + "\n" + Repeat("\t\t\n", 300);
    EXPECT_EQ(Indexed(bytes), Expected(bytes));
}

TEST(TabIndexTest, OutlivesAMoveOfItsBytes) {
    std::string bytes = "1\tsyllables\tt\ta\r\n";
    const TabIndex index(bytes);
    const std::string moved = std::move(bytes);
    TabbedRows rows(moved, index);
    const TabIndex::Row row = rows.Next();
    EXPECT_EQ(row.text, "1\tsyllables\tt\ta");
    EXPECT_EQ(row.Tab(2), 13u);
    EXPECT_TRUE(rows.AtEnd());
}

}  // namespace
