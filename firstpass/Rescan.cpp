#include "firstpass/Rescan.h"

#include "scansion/ScansionFile.h"

#include <algorithm>
#include <array>

namespace corvale::firstpass {
namespace {

// One verse line's record as texts, UTF-8.
struct Record {
    std::array<std::vector<std::string>, 3> values;  // in ValueRow's order
    std::string comment;
    bool operator==(const Record&) const = default;
};

Record RecordOf(const Store& store, Encoding encoding, std::int32_t j) {
    Record record;
    for (const ValueRow row : {ValueRow::Syllables, ValueRow::Stresses, ValueRow::Junctures}) {
        const Store::RowValues values = store.Values(row, j);
        auto& texts = record.values[static_cast<std::size_t>(row)];
        for (std::int32_t k = 1; k <= values.Count(); ++k) {
            texts.push_back(Decode(values[k], encoding).toStdString());
        }
    }
    record.comment = Decode(store.Comment(j), encoding).toStdString();
    return record;
}

// The poem's lines as the first pass writes them under the meters and the conventions, in a store.
std::variant<LoadedScansion, Refusal, Cancelled> Scanned(
    const Poem& poem, const std::vector<std::vector<std::string>>& meters,
    const Conventions& conventions) {
    Options options;
    options.meters = meters;
    options.conventions = conventions;
    auto scanned = Scan(poem, options);
    if (auto* refusal = std::get_if<Refusal>(&scanned)) {
        return std::move(*refusal);
    }
    if (std::holds_alternative<Cancelled>(scanned)) {
        return Cancelled{};
    }
    auto loaded = ReadScansionBytes(std::get<Scansion>(scanned).scansionFile);
    if (auto* refused = std::get_if<LoadRefusal>(&loaded)) {
        return std::move(refused->refusal);
    }
    return std::move(std::get<LoadedScansion>(loaded));
}

}  // namespace

std::variant<RescanPlan, Refusal, Cancelled> PlanRescan(
    const Store& store, Encoding encoding, const std::vector<std::vector<std::string>>& meters,
    std::int32_t first, const Conventions& inForce, const Conventions& learned,
    const std::function<bool(std::int32_t)>& committedByHand) {
    Poem poem;
    for (std::int32_t j = 1; j <= store.NumberOfLines(); ++j) {
        poem.verseLines.push_back(Decode(store.LineText(j), encoding).toStdString());
    }
    auto before = Scanned(poem, meters, inForce);
    auto after = Scanned(poem, meters, learned);
    for (auto* scan : {&before, &after}) {
        if (auto* refusal = std::get_if<Refusal>(scan)) {
            return std::move(*refusal);
        }
        if (std::holds_alternative<Cancelled>(*scan)) {
            return Cancelled{};
        }
    }
    const LoadedScansion& was = std::get<LoadedScansion>(before);
    const LoadedScansion& now = std::get<LoadedScansion>(after);
    RescanPlan plan;
    for (std::int32_t j = std::max(first, 1); j <= store.NumberOfLines(); ++j) {
        if (committedByHand(j) ||
            RecordOf(store, encoding, j) != RecordOf(was.store, Encoding::Utf8, j)) {
            ++plan.kept;
            continue;
        }
        ++plan.untouched;
        Record rescanned = RecordOf(now.store, Encoding::Utf8, j);
        if (rescanned != RecordOf(was.store, Encoding::Utf8, j)) {
            plan.rescanned.push_back(
                {j, std::move(rescanned.values[0]), std::move(rescanned.values[1]),
                 std::move(rescanned.values[2]), std::move(rescanned.comment)});
        }
    }
    return plan;
}

}  // namespace corvale::firstpass
