#include "scansion/MemorySettings.h"

#include "scansion/FileNames.h"
#include "scansion/Numbers.h"
#include "scansion/OwnFiles.h"
#include "scansion/TabFields.h"

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
std::optional<MemorySettings::Remembered> MemorySettings::ReadRemembered() const {
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
            memory.values.push_back(RoundedOrFail(rows.NextValue()));
        }
        memory.whole = true;
    } catch (const ReadFailed&) {
        memory.lastLine = 1;
    }
    return memory;
}

void MemorySettings::Adopt(const std::vector<std::int32_t>& values) {
    const std::array<std::int32_t*, 5> targets = {&bounds_.maximumStress, &bounds_.minimumStress,
                                                  &bounds_.maximumJuncture,
                                                  &bounds_.minimumJuncture, &spacing_};
    for (std::size_t i = 0; i < values.size() && i < targets.size(); ++i) {
        *targets[i] = values[i];
    }
}

// Only where nothing stands under the name: a memory file that cannot be read is not replaced
// by a new one's values.
void MemorySettings::AdoptWorkingValuesIfNone() {
    if (platform_.WhatIsAt(kMemoryFileName) == Platform::Occupant::Nothing) {
        bounds_ = kWorkingBounds;
        spacing_ = 0;
    }
}

bool MemorySettings::Read() {
    const std::optional<Remembered> memory = ReadRemembered();
    if (!memory) {
        AdoptWorkingValuesIfNone();
    }
    if (!memory || !memory->name) {
        lastLineDone_ = 1;
        return false;
    }
    workingFileName_ = *memory->name;
    const std::optional<bool> exists = platform_.IsOrdinaryFile(workingFileName_);
    if (!exists) {
        lastLineDone_ = 1;
        return true;
    }
    // A meter file or the memory file itself, named by a hand that edited the memory file, is
    // no file to work on: kept, its first row would end every start as a bad record.
    const std::optional<OwnFile> own =
        *exists ? CorvalesOwnFile(platform_.PathOf(workingFileName_)) : std::nullopt;
    const bool ownNotScansion = own && own->kind != OwnFile::Kind::Scansion;
    if (!*exists || ownNotScansion) {
        platform_.ShowMessage(QStringLiteral(
            "Caution:  the file listed in RememberEarlierRun cannot be found.  Please enter a "
            "legitimate file name in the box at the bottom of the interface."));
        if (platform_.IsOrdinaryFile(kFallbackFileName).value_or(false)) {
            workingFileName_ = kFallbackFileName;
        } else {
            platform_.ShowMessage(QStringLiteral(
                "Can't find a file to open; please edit RememberEarlierRun.txt, installing a "
                "legitimate file name on the first line."));
            if (ownNotScansion) {
                workingFileName_.clear();
            }
        }
    }
    Adopt(memory->values);
    lastLineDone_ = memory->lastLine;
    return true;
}

std::optional<std::int32_t> MemorySettings::Remembered::LineOf(std::string_view file) const {
    if (!whole || !name || !SameName(*name, file)) {
        return std::nullopt;
    }
    return lastLine;
}

std::optional<std::int32_t> MemorySettings::RememberedLineOf(const std::string& name) const {
    const std::optional<Remembered> memory = ReadRemembered();
    return memory ? memory->LineOf(name) : std::nullopt;
}

std::optional<std::int32_t> MemorySettings::ReadFor(const std::string& name) {
    workingFileName_ = name;
    return AdoptValuesOf(name);
}

std::optional<std::int32_t> MemorySettings::AdoptValuesOf(const std::string& name) {
    const std::optional<Remembered> memory = ReadRemembered();
    if (!memory) {
        AdoptWorkingValuesIfNone();
        return std::nullopt;
    }
    Adopt(memory->values);
    return memory->LineOf(name);
}

bool MemorySettings::Write(std::int32_t currentLine) const {
    return platform_.ReplaceFile(kMemoryFileName, Bytes(currentLine));
}

std::string MemorySettings::Bytes(std::int32_t currentLine) const {
    const std::array<std::string, 7> values = {
        workingFileName_,
        num::DecimalText(std::int64_t{currentLine}),
        num::DecimalText(std::int64_t{bounds_.maximumStress}),
        num::DecimalText(std::int64_t{bounds_.minimumStress}),
        num::DecimalText(std::int64_t{bounds_.maximumJuncture}),
        num::DecimalText(std::int64_t{bounds_.minimumJuncture}),
        num::DecimalText(std::int64_t{spacing_}),
    };
    std::string bytes;
    for (std::size_t i = 0; i < values.size(); ++i) {
        bytes.append(kLabels[i]).append("\r\n");
        bytes.append(values[i]).append("\r\n");
    }
    return bytes;
}

}  // namespace corvale
