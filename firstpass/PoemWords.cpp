#include "firstpass/PoemWords.h"

#include "firstpass/Engine.h"

#include <QHashFunctions>

#include <string>

namespace corvale::firstpass {

std::size_t PoemWords::KeyHash::operator()(const Key& key) const {
    const int place = (key.place.last ? 1 : 0) | static_cast<int>(key.place.elision) << 1;
    return qHashMulti(0, key.lead, key.core, key.trail, key.compoundPart, place);
}

std::vector<ReadLine> PoemWords::Read(const std::vector<QString>& texts) {
    struct Unread {
        const Word* word;
        WordPlace place;
        ReadWord* read;
        bool asked;
    };
    std::vector<Unread> unread;
    std::vector<std::string> asked;
    std::vector<std::vector<Word>> lines(texts.size());
    std::vector<ReadLine> read(texts.size());
    for (std::size_t j = 0; j < lines.size(); ++j) {
        std::vector<Word>& words = lines[j] = splitter_.Split(texts[j]);
        if (marks_.olderPrinting) {
            for (Word& word : words) {
                ModernizeJ(word.spoken);
            }
        }
        for (std::size_t w = 0; w < words.size(); ++w) {
            const Word& word = words[w];
            const WordPlace place = PlaceOf(words, w, marks_);
            const auto [at, added] =
                read_.try_emplace(Key{word.lead, word.core, word.trail, word.compoundPart, place});
            read[j].push_back(&at->second);
            if (added) {
                unread.push_back({&word, place, &at->second, AsksTheEngine(word)});
                if (unread.back().asked) {
                    asked.push_back(word.spoken.toStdString());
                }
            }
        }
    }
    const std::vector<std::string> phonemes = Pronounce(asked);
    std::size_t next = 0;
    for (const Unread& word : unread) {
        *word.read = ReadWordOf(*word.word, word.asked ? phonemes[next++] : std::string(),
                                word.place, marks_);
    }
    return read;
}

}  // namespace corvale::firstpass
