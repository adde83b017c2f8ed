#pragma once

#include <string>
#include <vector>

namespace corvale::test {

// Joins rows with CR LF after each, as the program writes files.
std::string Rows(const std::vector<std::string>& rows);

// A memory file with the given values, labels as the program writes them.
std::string MemoryFile(const std::string& fileName, const std::string& lastLine,
                       const std::string& maxStress = "4", const std::string& minStress = "1",
                       const std::string& maxJuncture = "4", const std::string& minJuncture = "1",
                       const std::string& spacing = "0");

// One verse line's four rows. Values are joined with tabs after the line text.
struct Verse {
    std::string text;
    std::vector<std::string> syllables;
    std::vector<std::string> stresses;
    std::vector<std::string> junctures;
    std::string comment;
};
std::vector<std::string> RecordRows(int number, const Verse& verse);
// A whole scansion file (CR LF rows) for the verses, numbered from 1.
std::string ScansionFile(const std::vector<Verse>& verses);

// The bytes of a bundled sample file (samples/<poem>/<file>).
std::string SampleFile(const std::string& poem, const std::string& file);
// A file of the project's sources, by its path from the top folder, e.g. "README.md".
std::string SourceFile(const std::string& relative);

// Eight verse lines of which each is governed by some of the first pass's conventions: enough
// for the conventions to be learned from.
inline const std::vector<std::string> kConventionLines = {
    "Shall I compare thee to a summer's day?",
    "Thou art more lovely and more temperate:",
    "Rough winds do shake the darling buds of May,",
    "And sank his head in mire, and slimed themselves:",
    "Sometime too hot the eye of heaven shines,",
    "Like him the river ran, and it was cold;",
    "And often is his gold complexion dimm'd;",
    "But thy eternal summer shall not fade,",
};

}  // namespace corvale::test
