#pragma once

#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "scansion/Store.h"
#include "scansion/TabScan.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// The program's state apart from its widgets, with the procedures that move it between the
// files and memory: the memory file, the two passes over the scansion file, the meter file, and
// saving. The window inherits it, so every member and procedure keeps its name there. Nothing
// here includes a widget header.
class Workspace {
public:
    explicit Workspace(Platform& platform) : platform_(platform) {}
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    virtual ~Workspace() = default;

    Platform& GetPlatform() const { return platform_; }

    // Settings, read from and written to the memory file.
    std::string WorkingFileName;  // bytes, relative to the program's folder
    std::int32_t LastLineDone = 0;
    std::int32_t MaximumStress = 0;
    std::int32_t MinimumStress = 0;
    std::int32_t MaximumJuncture = 0;
    std::int32_t MinimumJuncture = 0;
    std::int32_t SpacingOfButtons = 0;  // twips

    // The store's sizes, set by the first pass. MaximumNumberOfSyllables only grows in a run.
    std::int32_t NumberOfLines = 0;
    std::int32_t MaximumNumberOfSyllables = 0;

    // The store's texts (rows 0..NumberOfLines, positions 0..MaximumNumberOfSyllables).
    std::string_view LineText(std::int32_t j) const { return store_.LineText(j); }
    std::string_view Syllables(std::int32_t j, std::int32_t k) const;
    std::string_view Stresses(std::int32_t j, std::int32_t k) const;
    std::string_view Junctures(std::int32_t j, std::int32_t k) const;
    std::string_view Comments(std::int32_t j) const { return store_.Comment(j); }
    Store& GetStore() { return store_; }
    const Store& GetStore() const { return store_; }

    // The working copy of the line on screen, positions 0..MaximumNumberOfSyllables.
    std::vector<std::string> CurrentSyllables;
    std::vector<std::string> CurrentStresses;
    std::vector<std::string> CurrentJunctures;
    std::int32_t CurrentLine = 0;  // the store row on screen

    // The meter, read once at start-up.
    std::string MeterLine;
    std::int32_t NumberOfMeterSymbols = 0;

    // How the scansion file's bytes are shown and how typed text is stored back.
    Encoding TextEncoding = Encoding::Utf8;

    // Memory file "RememberEarlierRun.txt". Reading absorbs every failure. Writing returns false
    // when the file could not be replaced; the old file is then untouched.
    void ReadMemoryFile();
    bool UpdateRememberFile();

    // Loading the scansion file named by WorkingFileName: first pass, sizing, second pass.
    // A missing file, and one without a filled row, give an empty store of 0 verse lines. A
    // file that cannot be read or is malformed is reported through one of the two functions
    // below, before anything is written.
    void FindMaximumNumberOfSyllables();
    void RedimensionArrays();
    void LookUpData();
    // The three in that order, as start-up and a file switch load a file.
    void LoadScansionFile();
    // The loader's two ways of turning a file down; each shows the message and ends the program.
    // RefuseFile is for a file the first pass will not take (too large, too wide, unreadable, an
    // impossible number of verse lines). It is called before the first pass has changed
    // anything, and the first pass returns right after it, so NumberOfLines,
    // MaximumNumberOfSyllables and the store stay as they were. EndOnBadFile is for a fault the
    // second pass finds in a record, when the store has already been remade.
    virtual void RefuseFile(const QString& message);
    virtual void EndOnBadFile(const QString& message);

    // Meter file "meter.txt". A missing file is reported and ends the program.
    void ReadTheMeterFile();

    // The whole store in the scansion file's format, rows ending in CR LF.
    std::string ScansionFileBytes() const;
    // Replaces the scansion file with ScansionFileBytes(); false on failure, old file intact.
    bool WriteScansionFile();

    // Exit: asks "Save changes?"; Yes writes the scansion file, then the memory file, and ends
    // the program; No ends it without writing; a withdrawn question changes nothing. If writing
    // fails, says so and returns with nothing changed.
    void cmdQuit_Click();

    // Copies positions 1..MaximumNumberOfSyllables of the working copy and the given comment
    // bytes into store row CurrentLine.
    void CommitWorkingCopy(std::string_view comment);

private:
    // The scansion file as the first pass read it, with what that pass learnt of it. The second
    // pass of the same load takes it rather than reading and scanning the file again, and lets
    // it go.
    struct FirstPassFile {
        std::string name;
        std::string bytes;
        std::optional<TabIndex> index;  // none when nothing is held
        Encoding encoding = Encoding::Utf8;
        std::size_t textBytes = 0;  // about what the store will hold: bytes and texts
        std::size_t texts = 0;
    };

    Platform& platform_;
    Store store_;
    FirstPassFile firstPassFile_;
};

// File names.
inline constexpr char kMemoryFileName[] = "RememberEarlierRun.txt";
inline constexpr char kMeterFileName[] = "meter.txt";
inline constexpr char kFallbackFileName[] = "in.txt";

}  // namespace corvale
