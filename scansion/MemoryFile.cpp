// The memory file: fourteen rows, labels and values taking turns. Values are known by their
// row alone; label texts are never compared.

#include "scansion/Numbers.h"
#include "scansion/TabFields.h"
#include "scansion/Workspace.h"

#include <QDir>

#include <array>
#include <optional>
#include <vector>

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

// The same file, however its name is written ("ode.txt", "./ode.txt").
bool SameName(std::string_view a, std::string_view b) {
    return QDir::cleanPath(DecodeFileName(a)) == QDir::cleanPath(DecodeFileName(b));
}

}  // namespace

// Reading stops at the first value that fails; what was read before it stands.
std::optional<Workspace::Remembered> Workspace::ReadRemembered() const {
    if (!platform_.IsOrdinaryFile(kMemoryFileName).value_or(false)) {
        return std::nullopt;
    }
    const std::optional<std::string> bytes = platform_.ReadWholeFile(kMemoryFileName);
    if (!bytes) {
        return std::nullopt;
    }
    Remembered memory;
    MemoryFileRows rows(*bytes);
    try {
        memory.name = std::string(num::Trim(rows.NextValue()));
        const std::string_view lastLine = rows.NextValue();
        memory.lastLine = fields::ConsistsOfDigits(lastLine) ? RoundedOrFail(lastLine) : 1;
        for (std::size_t i = 0; i + 2 < kLabels.size(); ++i) {
            memory.settings.push_back(RoundedOrFail(rows.NextValue()));
        }
        memory.whole = true;
    } catch (const ReadFailed&) {
        memory.lastLine = 1;
    }
    return memory;
}

void Workspace::AdoptSettings(const std::vector<std::int32_t>& settings) {
    const std::array<std::int32_t*, 5> targets = {&MaximumStress, &MinimumStress, &MaximumJuncture,
                                                  &MinimumJuncture, &SpacingOfButtons};
    for (std::size_t i = 0; i < settings.size() && i < targets.size(); ++i) {
        *targets[i] = settings[i];
    }
}

bool Workspace::ReadMemoryFile() {
    const std::optional<Remembered> memory = ReadRemembered();
    if (!memory || !memory->name) {
        LastLineDone = 1;
        return false;
    }
    WorkingFileName = *memory->name;
    const std::optional<bool> exists = platform_.IsOrdinaryFile(WorkingFileName);
    if (!exists) {
        LastLineDone = 1;
        return true;
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
    AdoptSettings(memory->settings);
    LastLineDone = memory->lastLine;
    return true;
}

std::optional<std::int32_t> Workspace::Remembered::LineOf(std::string_view file) const {
    if (!whole || !name || !SameName(*name, file)) {
        return std::nullopt;
    }
    return lastLine;
}

std::optional<std::int32_t> Workspace::RememberedLineOf(const std::string& name) const {
    const std::optional<Remembered> memory = ReadRemembered();
    return memory ? memory->LineOf(name) : std::nullopt;
}

std::optional<std::int32_t> Workspace::ReadMemoryFileFor(const std::string& name) {
    WorkingFileName = name;
    const std::optional<Remembered> memory = ReadRemembered();
    if (!memory) {
        return std::nullopt;
    }
    AdoptSettings(memory->settings);
    return memory->LineOf(name);
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
