#include "firstpass/PoemWords.h"

#include "firstpass/Engine.h"

#include <QHashFunctions>

#include <string>

namespace corvale::firstpass {
namespace {

// Runs and words remembered at most; past that the memory starts again between batches, so that
// a poem of ever new words keeps it bounded. Runs point at the words they hold, so a new start
// of the words is a new start of the runs too.
constexpr std::size_t kMostRuns = 1 << 16;
constexpr std::size_t kMostWords = 1 << 16;

// Where a run keeps the readings of its last word: at the line's end, or before another word
// with each elision.
std::size_t Slot(WordPlace place) {
    return place.last ? 0 : 1 + static_cast<std::size_t>(place.elision);
}

}  // namespace

std::size_t PoemWords::KeyHash::operator()(const Key& key) const {
    return qHashMulti(0, key.lead, key.core, key.trail, key.compoundPart, Slot(key.place));
}

std::size_t PoemWords::RunHash::operator()(QStringView text) const {
    return qHash(text);
}

std::vector<ReadLine> PoemWords::Read(const std::vector<QString>& lines) {
    if (runs_.size() >= kMostRuns || read_.size() >= kMostWords) {
        runs_.clear();
        read_.clear();
    }
    std::vector<ReadLine> read(lines.size());
    std::vector<Run*> runs;
    for (std::size_t j = 0; j < lines.size(); ++j) {
        if (!RunsOf(lines[j], runs)) {
            ReadWordByWord(lines[j], read[j]);
            continue;
        }
        for (std::size_t r = 0; r < runs.size(); ++r) {
            Run& run = *runs[r];
            read[j].insert(read[j].end(), run.inner.begin(), run.inner.end());
            const Word* next = r + 1 < runs.size() ? &runs[r + 1]->words.front() : nullptr;
            const WordPlace place = PlaceOf(run.words.back(), next, marks_);
            const ReadWord*& last = run.last[Slot(place)];
            if (last == nullptr) {
                last = ReadingOf(run.words.back(), place);
            }
            read[j].push_back(last);
        }
    }
    ReadUnread();
    return read;
}

bool PoemWords::RunsOf(const QString& line, std::vector<Run*>& runs) {
    runs.clear();
    for (const QStringView text : QStringView(line).tokenize(u' ', Qt::SkipEmptyParts)) {
        if (!HoldsWords(text)) {
            return false;
        }
        runs.push_back(&RunOf(text));
    }
    return true;
}

PoemWords::Run& PoemWords::RunOf(QStringView text) {
    const auto found = runs_.find(text);
    if (found != runs_.end()) {
        return found->second;
    }
    Run run;
    run.words = SplitIntoWords(text.toString());
    for (Word& word : run.words) {
        if (marks_.olderPrinting) {
            ModernizeJ(word.spoken);
        }
    }
    for (std::size_t w = 0; w + 1 < run.words.size(); ++w) {
        run.inner.push_back(
            ReadingOf(run.words[w], PlaceOf(run.words[w], &run.words[w + 1], marks_)));
    }
    return runs_.emplace(text.toString(), std::move(run)).first->second;
}

// A line with a run of marks (a lone dash, a quotation mark apart): its words' leads and trails
// take the marks, so it is read from its own words.
void PoemWords::ReadWordByWord(const QString& line, ReadLine& read) {
    std::vector<Word> words = SplitIntoWords(line);
    for (Word& word : words) {
        if (marks_.olderPrinting) {
            ModernizeJ(word.spoken);
        }
    }
    for (std::size_t w = 0; w < words.size(); ++w) {
        const Word* next = w + 1 < words.size() ? &words[w + 1] : nullptr;
        read.push_back(ReadingOf(words[w], PlaceOf(words[w], next, marks_)));
    }
}

const ReadWord* PoemWords::ReadingOf(const Word& word, WordPlace place) {
    const auto [at, added] =
        read_.try_emplace(Key{word.lead, word.core, word.trail, word.compoundPart, place});
    if (added) {
        unread_.push_back({word, place, &at->second});
    }
    return &at->second;
}

void PoemWords::ReadUnread() {
    std::vector<std::string> asked;
    for (const Unread& unread : unread_) {
        if (AsksTheEngine(unread.word)) {
            asked.push_back(unread.word.spoken.toStdString());
        }
    }
    const std::vector<std::string> phonemes = Pronounce(asked);
    std::size_t next = 0;
    for (const Unread& unread : unread_) {
        const bool asks = AsksTheEngine(unread.word);
        *unread.read = ReadWordOf(unread.word, asks ? phonemes[next++] : std::string(),
                                  unread.place, marks_, conventions_);
    }
    unread_.clear();
}

}  // namespace corvale::firstpass
