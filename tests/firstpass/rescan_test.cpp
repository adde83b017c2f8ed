// Rescanning the rest of a poem by what was learned: a line the metrist touched in any way is
// never changed; an untouched one takes the learned conventions' scan.

#include "firstpass/Rescan.h"
#include "scansion/ScansionFile.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvale::firstpass {
namespace {

const std::string kLine = "Shall I compare thee to a summer's day?";
const std::vector<std::string> kPentameter = {"W", "S", "W", "S", "W", "S", "W", "S", "W", "S"};
const std::vector<std::vector<std::string>> kFoursAndThrees = {
    {"W", "S", "W", "S", "W", "S", "W", "S"}, {"W", "S", "W", "S", "W", "S"}};

Store Scanned(const std::vector<std::string>& lines, const Conventions& conventions,
              const std::vector<std::vector<std::string>>& meters = {kPentameter}) {
    Options options;
    options.meters = meters;
    options.conventions = conventions;
    const auto scanned = Scan(Poem{lines}, options);
    return std::get<LoadedScansion>(ReadScansionBytes(std::get<Scansion>(scanned).scansionFile))
        .store;
}

std::vector<std::string> Row(const Store& store, ValueRow row, std::int32_t j) {
    std::vector<std::string> values;
    for (std::int32_t k = 1; k <= store.Values(row, j).Count(); ++k) {
        values.emplace_back(store.Values(row, j)[k]);
    }
    return values;
}

void Set(Store& store, std::int32_t j, ValueRow row, std::vector<std::string> values) {
    store.SetValues(j, row, values);
}

Conventions PronounsStressed() {
    Conventions conventions;
    conventions.Set(Convention::Pronoun, kAlwaysStressed);
    return conventions;
}

struct TouchCase {
    const char* name;
    std::function<void(Store&)> touch;  // what the metrist did to line 2
    bool committed;                     // line 2 was committed by hand
};

class RescanTheRest : public testing::TestWithParam<TouchCase> {};

// Three alike lines from a pass under the defaults, rescanned from line 2 for a reader who
// stresses pronouns: line 2 is kept, touched as the row says, and line 3 takes the new scan.
TEST_P(RescanTheRest, NeverChangesALineTheMetristTouched) {
    Store store = Scanned({kLine, kLine, kLine}, {});
    GetParam().touch(store);
    const bool committed = GetParam().committed;
    const auto planned = PlanRescan(store, Encoding::Utf8, {kPentameter}, 2, {}, PronounsStressed(),
                                    [committed](std::int32_t j) { return committed && j == 2; });
    const auto& plan = std::get<RescanPlan>(planned);
    ASSERT_EQ(plan.rescanned.size(), 1u);
    EXPECT_EQ(plan.rescanned[0].line, 3);
    EXPECT_EQ(plan.kept, 1);
    EXPECT_EQ(plan.untouched, 1);
    const Store learned = Scanned({kLine}, PronounsStressed());
    EXPECT_EQ(plan.rescanned[0].stresses, Row(learned, ValueRow::Stresses, 1));
    EXPECT_NE(plan.rescanned[0].stresses, Row(store, ValueRow::Stresses, 3));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RescanTheRest,
    testing::Values(
        TouchCase{"CommittedByHandAsItWas", [](Store&) {}, true},
        TouchCase{"Retyped",
                  [](Store& s) {
                      Set(s, 2, ValueRow::Syllables,
                          {"Shall", "i", "com", "pare", "thee", "to", "a", "sum", "mer's", "day?"});
                  },
                  false},
        TouchCase{"Merged",
                  [](Store& s) {
                      Set(s, 2, ValueRow::Syllables,
                          {"Shall", "I", "compare", "thee", "to", "a", "sum", "mer's", "day?"});
                      Set(s, 2, ValueRow::Stresses, {"1", "2", "3", "1", "2", "1", "3", "1", "3"});
                      Set(s, 2, ValueRow::Junctures, {"2", "2", "2", "2", "2", "2", "1", "2", "4"});
                  },
                  false},
        TouchCase{"Split",
                  [](Store& s) {
                      Set(s, 2, ValueRow::Syllables,
                          {"Shall", "I", "com", "pare", "thee", "to", "a", "sum", "mer", "'s",
                           "day?"});
                  },
                  false},
        TouchCase{
            "AValueStepped",
            [](Store& s) {
                Set(s, 2, ValueRow::Stresses, {"1", "2", "1", "3", "1", "2", "1", "3", "1", "4"});
            },
            false},
        TouchCase{"TheMetristsComment",
                  [](Store& s) { s.SetComment(2, "thee: heard as a stress"); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The pass's own note goes with the reading it names: a line that holds the note as the pass
// wrote it is untouched, and its rescan drops the note with the reading.
TEST(RescanTheRest, KnowsThePassesOwnNotes) {
    const std::string mire = "And sank his head in mire, and slimed themselves:";
    const Store store = Scanned({kLine, mire}, {});
    ASSERT_EQ(store.Comment(2), "mire: 1 syllable for the meter (2 spoken)");
    Conventions learned;
    learned.Set(Convention::FireInOne, kNever);
    const auto planned = PlanRescan(store, Encoding::Utf8, {kPentameter}, 1, {}, learned,
                                    [](std::int32_t) { return false; });
    const auto& plan = std::get<RescanPlan>(planned);
    ASSERT_EQ(plan.rescanned.size(), 1u);
    EXPECT_EQ(plan.rescanned[0].line, 2);
    EXPECT_EQ(plan.rescanned[0].comment, "");
    EXPECT_EQ(plan.rescanned[0].syllables.size(), 11u);
    EXPECT_EQ(plan.untouched, 2);
}

// A line of the further meter is rescanned against it: "in-TO" takes its 2 in place 4 there.
TEST(RescanTheRest, ScansEachLineAgainstItsOwnMeter) {
    Conventions learned;
    learned.Set(Convention::Clash, 2);
    const auto planned =
        PlanRescan(Scanned({"Went down into the sea."}, {}, kFoursAndThrees), Encoding::Utf8,
                   kFoursAndThrees, 1, {}, learned, [](std::int32_t) { return false; });
    EXPECT_EQ(std::get<RescanPlan>(planned).rescanned.at(0).stresses,
              (std::vector<std::string>{"1", "3", "1", "2", "1", "3"}));
}

}  // namespace
}  // namespace corvale::firstpass
