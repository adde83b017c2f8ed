#include "firstpass/Readings.h"

#include "firstpass/Division.h"

#include <algorithm>
#include <optional>

namespace corvale::firstpass {
namespace {

bool InLatinLetters(const QString& spoken) {
    return std::all_of(spoken.begin(), spoken.end(),
                       [](QChar c) { return !c.isLetter() || c.script() == QChar::Script_Latin; });
}

bool IsApostrophe(QChar c) {
    return c == u'\'' || c == QChar(0x2019);
}

// An apostrophe inside the word or at its end, other than a possessive's ("heaven's", "poets'").
bool MarksElision(const QString& written) {
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (!IsApostrophe(written[i])) {
            continue;
        }
        const QString rest = written.mid(i + 1).toLower();
        const bool possessive = (rest == u"s" && i > 0) ||
                                (rest.isEmpty() && i > 0 && written[i - 1].toLower() == u's');
        if (!possessive) {
            return true;
        }
    }
    return false;
}

// A rule of the table: the reading it offers, if any, given the spoken one.
struct Rule {
    std::optional<Reading> (*offer)(const QString& written, const Reading& spoken,
                                    const PoemMarks& marks);
};

constexpr Rule kRules[] = {{nullptr}};

}  // namespace

std::vector<Reading> ReadingsOf(const QString& written, const SpokenWord& spoken,
                                const PoemMarks& marks) {
    std::vector<Reading> readings = {{spoken, SplitWritten(written, spoken)}};
    if (MarksElision(written) || readings[0].pieces.size() != std::ssize(spoken.syllables)) {
        return readings;
    }
    for (const Rule& rule : kRules) {
        if (rule.offer == nullptr) {
            continue;
        }
        std::optional<Reading> reading = rule.offer(written, readings[0], marks);
        if (!reading) {
            continue;
        }
        const std::size_t count = reading->sound.syllables.size();
        if (std::none_of(readings.begin(), readings.end(),
                         [count](const Reading& r) { return r.sound.syllables.size() == count; })) {
            readings.push_back(std::move(*reading));
        }
    }
    return readings;
}

bool AsksTheEngine(const Word& word) {
    return word.kind == Word::Kind::Letters && !word.spoken.isEmpty() &&
           InLatinLetters(word.spoken) && !IsMonosyllabicFunctionWord(word.spoken.toStdString());
}

namespace {

// The syllables of a word as the engine gave them, or from its spelling when it gave none.
struct Heard {
    SpokenWord sound;
    bool byEngine = false;
};

Heard HearWord(const Word& word, const QString& stem, const std::string& phonemes) {
    Heard heard;
    if (AsksTheEngine(word)) {
        heard.sound = ReadPhonemes(phonemes);
        heard.byEngine = !heard.sound.syllables.empty();
    } else if (InLatinLetters(word.spoken)) {
        heard.sound = UnspokenWord(1);
    }
    if (heard.sound.syllables.empty()) {
        heard.sound = UnspokenWord(VowelGroups(stem));
    }
    // The engine spells out what it cannot read ("shh", a word in another script) letter by
    // letter; a written word has at most one syllable more than its vowel groups.
    const int most = VowelGroups(stem) + 1;
    if (std::ssize(heard.sound.syllables) > most) {
        const bool stressed =
            std::any_of(heard.sound.syllables.begin(), heard.sound.syllables.end(),
                        [](const SpokenSyllable& s) { return s.stress == Lexical::Primary; });
        heard.sound = UnspokenWord(most);
        heard.sound.syllables[0].stress = stressed ? Lexical::Primary : Lexical::None;
        heard.byEngine = false;
    }
    return heard;
}

WordReading Written(const Word& word, QStringList pieces, std::vector<Weight> weights) {
    pieces.front().prepend(word.lead);
    pieces.back().append(word.trail);
    WordReading reading;
    for (const QString& piece : pieces) {
        reading.syllables += '\t';
        reading.syllables += piece.toStdString();
    }
    reading.weights = std::move(weights);
    return reading;
}

}  // namespace

ReadWord ReadWordOf(const Word& word, const std::string& phonemes, bool lastInLine,
                    const PoemMarks& marks) {
    ReadWord read;
    read.written = word.core;
    read.juncture = lastInLine ? 4 : JunctureAfter(word);
    if (word.kind == Word::Kind::Number) {
        read.readings.push_back(Written(word, {word.core}, {Weight::Stressed}));
        return read;
    }
    if (word.kind == Word::Kind::Ampersand) {
        read.readings.push_back(Written(word, {word.core}, {Weight::Unstressed}));
        return read;
    }
    QString stem = word.core;
    if (word.gravedEd) {
        stem.chop(2);
    }
    const Heard heard = HearWord(word, stem, phonemes);
    const std::vector<Reading> readings =
        heard.byEngine ? ReadingsOf(stem, heard.sound, marks)
                       : std::vector<Reading>{
                             {heard.sound, SplitWritten(stem, std::ssize(heard.sound.syllables))}};
    const std::string spoken = word.spoken.toStdString();
    for (const Reading& reading : readings) {
        std::vector<Lexical> lexical;
        for (const SpokenSyllable& syllable : reading.sound.syllables) {
            lexical.push_back(syllable.stress);
        }
        std::vector<Weight> weights = WeighWord(spoken, lexical);
        QStringList pieces = reading.pieces;
        // Fewer pieces than syllables: the last piece takes the rest, and their strongest stress.
        while (std::ssize(weights) > pieces.size()) {
            const Weight last = weights.back();
            weights.pop_back();
            weights.back() = std::max(weights.back(), last);
        }
        if (word.gravedEd) {
            pieces << word.core.right(2);
            weights.push_back(Weight::Unstressed);
        }
        read.readings.push_back(Written(word, std::move(pieces), std::move(weights)));
    }
    return read;
}

bool MarksSaidEd(const std::vector<std::string>& verseLines) {
    constexpr std::string_view kGravedEd =
        "\xc3\xa8"
        "d";
    for (const std::string& line : verseLines) {
        for (std::size_t at = line.find(kGravedEd); at != std::string::npos;
             at = line.find(kGravedEd, at + 1)) {
            const std::size_t after = at + kGravedEd.size();
            const bool ends =
                after == line.size() || !std::isalpha(static_cast<unsigned char>(line[after]));
            if (ends && at > 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace corvale::firstpass
