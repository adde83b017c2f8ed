#pragma once

// The memory file of a working folder: fourteen rows, labels and values taking turns, which
// carry the work from one run to the next. They name the scansion file being worked on and the
// line at which work resumes, and hold the bounds of the stress and juncture values and the
// spacing of the cell columns. Values are known by their row alone; label texts are never
// compared.

#include "platform/Platform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvale {

// How far the stepping of a value may go, as the memory file holds it.
struct ValueBounds {
    std::int32_t maximumStress = 0;
    std::int32_t minimumStress = 0;
    std::int32_t maximumJuncture = 0;
    std::int32_t minimumJuncture = 0;
    bool operator==(const ValueBounds&) const = default;
};

// The bounds of a memory file Corvale creates: those of the bundled samples, within which every
// value the first pass writes can be stepped. The spacing stays 0, for start-up to compute.
inline constexpr ValueBounds kWorkingBounds{4, 1, 4, 1};

class MemorySettings {
public:
    explicit MemorySettings(Platform& platform) : platform_(platform) {}

    // The scansion file, as bytes relative to the working folder.
    const std::string& WorkingFileName() const { return workingFileName_; }
    void SetWorkingFileName(std::string name) { workingFileName_ = std::move(name); }
    // The line at which work resumes, as last read.
    std::int32_t LastLineDone() const { return lastLineDone_; }
    void SetLastLineDone(std::int32_t line) { lastLineDone_ = line; }
    const ValueBounds& Bounds() const { return bounds_; }
    void SetBounds(const ValueBounds& bounds) { bounds_ = bounds; }
    // The pitch of the cell columns in twips; 0 until start-up computes one.
    std::int32_t Spacing() const { return spacing_; }
    void SetSpacing(std::int32_t spacing) { spacing_ = spacing; }

    // Reads the memory file. Reading absorbs every failure; it returns whether the file named a
    // working file (an empty name included). A named file that is missing is reported, and
    // "in.txt" takes its place when there is one. Where there is no memory file at all, the
    // bounds become kWorkingBounds and the spacing 0, so that the file Corvale then writes
    // lets every value move; a memory file that stands is read as it is, all bounds 0 or not.
    bool Read();
    // For a file opened by its name rather than through the memory file: the name becomes
    // `name`, the memory file's values apply as Read applies them (kWorkingBounds without one),
    // and its name is never checked. Returns the line the memory file remembers when it names
    // `name`.
    std::optional<std::int32_t> ReadFor(const std::string& name);
    // The memory file's values apply, as in a folder the program moves to; its name is left
    // alone. Returns the line it remembers when it names `name`.
    std::optional<std::int32_t> AdoptValuesOf(const std::string& name);
    // The line the memory file remembers for `name`, when it names that file; changes nothing.
    std::optional<std::int32_t> RememberedLineOf(const std::string& name) const;

    // The fourteen rows, resuming at `currentLine`.
    std::string Bytes(std::int32_t currentLine) const;
    // Replaces the memory file; false when it could not be, the old file then untouched.
    bool Write(std::int32_t currentLine) const;

private:
    // The memory file's values in row order, as far as they could be read.
    struct Remembered {
        std::optional<std::string> name;   // trimmed of spaces
        std::int32_t lastLine = 1;         // 1 unless every value was read
        std::vector<std::int32_t> values;  // the bounds, then the spacing, up to a failure
        bool whole = false;                // every value was read
        // lastLine, when the memory file is whole and names `file`.
        std::optional<std::int32_t> LineOf(std::string_view file) const;
    };
    // nullopt when there is no memory file, or it cannot be read.
    std::optional<Remembered> ReadRemembered() const;
    void Adopt(const std::vector<std::int32_t>& values);
    // Without a memory file: the bounds of one Corvale creates.
    void AdoptWorkingValuesIfNone();

    Platform& platform_;
    std::string workingFileName_;
    std::int32_t lastLineDone_ = 0;
    ValueBounds bounds_;
    std::int32_t spacing_ = 0;
};

}  // namespace corvale
