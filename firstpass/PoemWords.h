#pragma once

// The words of a poem's lines and their readings, each distinct word cut and read once. A poem
// repeats its words, and a long one repeats them thousands of times: a word's pronunciation,
// division and readings are worked out where it first appears, and every later line that holds
// it shares them.

#include "firstpass/Readings.h"
#include "firstpass/Words.h"

#include <QString>

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace corvale::firstpass {

class PoemWords {
public:
    explicit PoemWords(const PoemMarks& marks) : marks_(marks) {}
    PoemWords(const PoemWords&) = delete;
    PoemWords& operator=(const PoemWords&) = delete;

    // The words of each line (SplitIntoWords) with their readings, valid while this object
    // lives. The words met for the first time go to the engine together, in one trip. In a poem
    // in older printing, their spoken forms are read with j (ModernizeJ).
    std::vector<ReadLine> Read(const std::vector<QString>& lines);

private:
    // What a word's readings depend on: the rest of a Word follows from its core.
    struct Key {
        QString lead;
        QString core;
        QString trail;
        bool compoundPart = false;
        WordPlace place;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };

    PoemMarks marks_;
    WordSplitter splitter_;
    std::unordered_map<Key, ReadWord, KeyHash> read_;
};

}  // namespace corvale::firstpass
