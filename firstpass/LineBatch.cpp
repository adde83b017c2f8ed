#include "firstpass/LineBatch.h"

#include "firstpass/Engine.h"
#include "firstpass/Words.h"

namespace corvale::firstpass {

namespace {

// The line's text with anything that would break a row (tabs, line ends, other control
// characters) turned into a space.
QString Clean(std::string_view line) {
    QString text = QString::fromUtf8(line.data(), std::ssize(line));
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control) {
            c = u' ';
        }
    }
    return text.trimmed();
}

}  // namespace

// Everything ReadWordOf reads of a word besides its phonemes, which follow from its spoken form.
// A control character, which no cleaned line holds, parts the texts.
QString LineScanner::KeyOf(const Word& word, bool lastInLine) {
    const QChar flags[] = {QChar(u'0' + static_cast<int>(word.kind)),
                           QChar(word.compoundPart ? u'+' : u'-'),
                           QChar(word.compoundTail ? u'+' : u'-'),
                           QChar(word.gravedEd ? u'+' : u'-'), QChar(lastInLine ? u'+' : u'-')};
    return word.lead + u'\x01' + word.core + u'\x01' + word.trail + u'\x01' + word.spoken +
           u'\x01' + QString(flags, std::ssize(flags));
}

std::variant<std::vector<ScannedLine>, Refusal> LineScanner::Scan(
    const std::vector<std::string_view>& batch, std::size_t first) {
    if (read_.size() >= kMostRemembered) {
        read_.clear();
    }
    std::vector<std::vector<Word>> words;
    std::vector<QString> texts;
    std::vector<QString> keys;  // each word's, in order
    std::vector<bool> spoken;   // each word's: the engine is asked for it
    std::vector<std::string> asked;
    for (const std::string_view line : batch) {
        texts.push_back(Clean(line));
        words.push_back(SplitIntoWords(texts.back()));
        for (std::size_t w = 0; w < words.back().size(); ++w) {
            Word& word = words.back()[w];
            if (marks_.olderPrinting) {
                ModernizeJ(word.spoken);
            }
            keys.push_back(KeyOf(word, w + 1 == words.back().size()));
            spoken.push_back(!read_.contains(keys.back()) && AsksTheEngine(word));
            if (spoken.back()) {
                asked.push_back(word.spoken.toStdString());
            }
        }
    }
    const std::vector<std::string> phonemes = Pronounce(asked);
    std::size_t nextPhonemes = 0;
    std::size_t nextKey = 0;
    std::vector<ScannedLine> lines(batch.size());
    for (std::size_t j = 0; j < lines.size(); ++j) {
        ScannedLine& line = lines[j];
        line.text = texts[j].toStdString();
        for (std::size_t w = 0; w < words[j].size(); ++w) {
            const Word& word = words[j][w];
            const std::string& said = spoken[nextKey] ? phonemes[nextPhonemes++] : std::string();
            const QString& key = keys[nextKey++];
            auto known = read_.constFind(key);
            if (known == read_.constEnd()) {
                known = read_.insert(key, ReadWordOf(word, said, w + 1 == words[j].size(), marks_));
            }
            line.words.push_back(*known);
        }
        ElideBeforeVowels(words[j], line.words, marks_);
        std::int64_t syllables = 0;
        for (const ReadWord& word : line.words) {
            syllables += std::ssize(word.readings.front().weights);
        }
        if (syllables > kMostSyllablesInALine) {
            return Refusal{"Verse line " + std::to_string(first + j) + " has more than " +
                               std::to_string(kMostSyllablesInALine) +
                               " syllables, the most a line can hold.",
                           static_cast<std::int64_t>(first + j)};
        }
    }
    return lines;
}

}  // namespace corvale::firstpass
