// The memory file: fourteen rows, labels and values taking turns. Values are known by their
// row alone; label texts are never compared.

#include "scansion/Numbers.h"
#include "scansion/TabFields.h"
#include "scansion/Workspace.h"

#include <array>
#include <optional>

namespace corvale {

namespace {

constexpr std::array<const char*, 7> kLabels = {
    "Filename:",
    "Last line done:",
    "Maximum value for stress:",
    "Minimum value for stress:",
    "Maximum value for juncture:",
    "Minimum value for juncture:",
    "Spacing of buttons:",
};

// Reading stops at the first failure; the reader then sets what it must and returns.
struct ReadFailed {};

class MemoryFileRows {
public:
    explicit MemoryFileRows(std::string_view bytes) : rows_(bytes) {}

    std::string_view Next() {
        if (rows_.AtEnd()) {
            throw ReadFailed{};
        }
        return rows_.Next();
    }
    // A label row is read and dropped, then its value row returned.
    std::string_view NextValue() {
        Next();
        return Next();
    }

private:
    RowCursor rows_;
};

std::int32_t RoundedOrFail(std::string_view text) {
    const std::optional<std::int32_t> value = num::RoundedInt32(num::Trim(text));
    if (!value) {
        throw ReadFailed{};
    }
    return *value;
}

}  // namespace

void Workspace::ReadMemoryFile() {
    try {
        if (!platform_.IsOrdinaryFile(kMemoryFileName).value_or(false)) {
            throw ReadFailed{};
        }
        const std::optional<std::string> bytes = platform_.ReadWholeFile(kMemoryFileName);
        if (!bytes) {
            throw ReadFailed{};
        }
        MemoryFileRows rows(*bytes);
        WorkingFileName = std::string(num::Trim(rows.NextValue()));
        const std::optional<bool> exists = platform_.IsOrdinaryFile(WorkingFileName);
        if (!exists) {
            throw ReadFailed{};
        }
        if (!*exists) {
            platform_.ShowMessage(QStringLiteral(
                "Caution:  the file listed in RememberEarlierRun cannot be found.  Please enter a "
                "legitimate file name in the box at the bottom of the interface."));
            if (platform_.IsOrdinaryFile(kFallbackFileName).value_or(false)) {
                WorkingFileName = kFallbackFileName;
            } else {
                platform_.ShowMessage(QStringLiteral(
                    "Can't find a file to open; please edit RememberEarlierRun.txt, installing a "
                    "legitimate file name on the first line."));
            }
        }
        const std::string_view lastLine = rows.NextValue();
        LastLineDone = fields::ConsistsOfDigits(lastLine) ? RoundedOrFail(lastLine) : 1;
        for (std::int32_t* setting : {&MaximumStress, &MinimumStress, &MaximumJuncture,
                                      &MinimumJuncture, &SpacingOfButtons}) {
            *setting = RoundedOrFail(rows.NextValue());
        }
    } catch (const ReadFailed&) {
        LastLineDone = 1;
    }
}

bool Workspace::WriteMemoryFile() {
    return platform_.ReplaceFile(kMemoryFileName, MemoryFileBytes());
}

std::string Workspace::MemoryFileBytes() const {
    const std::array<std::string, 7> values = {
        WorkingFileName,
        num::DecimalText(std::int64_t{CurrentLine}),
        num::DecimalText(std::int64_t{MaximumStress}),
        num::DecimalText(std::int64_t{MinimumStress}),
        num::DecimalText(std::int64_t{MaximumJuncture}),
        num::DecimalText(std::int64_t{MinimumJuncture}),
        num::DecimalText(std::int64_t{SpacingOfButtons}),
    };
    std::string bytes;
    for (std::size_t i = 0; i < values.size(); ++i) {
        bytes.append(kLabels[i]).append("\r\n");
        bytes.append(values[i]).append("\r\n");
    }
    return bytes;
}

}  // namespace corvale
