#pragma once

// The words of a poem's lines and their readings, each distinct word cut and read once. A poem
// repeats its words, and a long one repeats them thousands of times: a word's pronunciation,
// division and readings are worked out where it first appears, and every later line that holds
// it shares them.

#include "firstpass/Readings.h"
#include "firstpass/Words.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <unordered_map>
#include <vector>

namespace corvale::firstpass {

class PoemWords {
public:
    explicit PoemWords(const PoemMarks& marks, const Conventions& conventions = {})
        : marks_(marks), conventions_(conventions) {}
    PoemWords(const PoemWords&) = delete;
    PoemWords& operator=(const PoemWords&) = delete;

    // The words of each line (SplitIntoWords) with their readings, valid until the next call. The
    // words met for the first time go to the engine together, in one trip. In a poem in older
    // printing, their spoken forms are read with j (ModernizeJ).
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

    // A run of text between spaces that makes words of its own (HoldsWords), with the readings
    // of its words: all but the last have their places within the run; the last word's place
    // depends on the run after it, and its readings are kept by place as they are needed.
    struct Run {
        std::vector<Word> words;
        ReadLine inner;
        std::array<const ReadWord*, 4> last{};
    };
    struct RunHash {
        using is_transparent = void;
        std::size_t operator()(QStringView text) const;
    };
    struct RunEqual {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const { return a == b; }
    };

    // A word met for the first time in this batch, read once the engine has spoken.
    struct Unread {
        Word word;
        WordPlace place;
        ReadWord* read;
    };

    // The runs of a line, which runs_ keeps in place; false when one of them makes no words.
    bool RunsOf(const QString& line, std::vector<Run*>& runs);
    Run& RunOf(QStringView text);
    void ReadWordByWord(const QString& line, ReadLine& read);
    const ReadWord* ReadingOf(const Word& word, WordPlace place);
    void ReadUnread();

    PoemMarks marks_;
    Conventions conventions_;
    std::unordered_map<Key, ReadWord, KeyHash> read_;
    std::unordered_map<QString, Run, RunHash, RunEqual> runs_;
    std::vector<Unread> unread_;
};

}  // namespace corvale::firstpass
