// The first pass: words, their syllables and stresses, the meter, and the scansion file.
#include "firstpass/Division.h"
#include "firstpass/Engine.h"
#include "firstpass/FirstPass.h"
#include "firstpass/MeterChoice.h"
#include "firstpass/Stress.h"
#include "firstpass/Syllables.h"
#include "firstpass/Words.h"

#include "meter/MeterCheck.h"

#include <QString>

#include <algorithm>

namespace corvale::firstpass {
namespace {

// Verse lines read and spoken together: one trip to the engine's thread, then a progress report.
constexpr std::size_t kLinesAtATime = 256;

struct ScannedLine {
    std::string text;
    std::string syllables;  // each syllable after a tab
    std::string junctures;  // one digit a syllable
    std::vector<Weight> weights;
};

// The line's text with anything that would break a row (tabs, line ends, other control
// characters) turned into a space.
QString Clean(const std::string& line) {
    QString text = QString::fromUtf8(line);
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control) {
            c = u' ';
        }
    }
    return text.trimmed();
}

// Only words in Latin letters go to the engine. It spells other scripts out letter by letter
// anyway, and espeak-ng 1.51 reads freed memory on some Hangul jamo (U+11A7, U+11C3, U+11F9 to
// U+11FF); such words are split by their vowel groups instead.
bool InLatinLetters(const QString& spoken) {
    return std::all_of(spoken.begin(), spoken.end(),
                       [](QChar c) { return !c.isLetter() || c.script() == QChar::Script_Latin; });
}

bool AsksTheEngine(const Word& word) {
    return word.kind == Word::Kind::Letters && !word.spoken.isEmpty() &&
           InLatinLetters(word.spoken) && !IsMonosyllabicFunctionWord(word.spoken.toStdString());
}

// Adds one word's syllables to the line.
void AddWord(const Word& word, const std::string& phonemes, bool lastInLine, ScannedLine& line) {
    QStringList pieces;
    std::vector<Weight> weights;
    QString stem = word.core;
    if (word.kind == Word::Kind::Number) {
        pieces << word.core;
        weights.push_back(Weight::Stressed);
    } else if (word.kind == Word::Kind::Ampersand) {
        pieces << word.core;
        weights.push_back(Weight::Unstressed);
    } else {
        if (word.gravedEd) {
            stem.chop(2);
        }
        const std::string spoken = word.spoken.toStdString();
        SpokenWord sound = AsksTheEngine(word)           ? ReadPhonemes(phonemes)
                           : InLatinLetters(word.spoken) ? UnspokenWord(1)
                                                         : SpokenWord{};
        bool heard = AsksTheEngine(word) && !sound.syllables.empty();
        if (sound.syllables.empty()) {
            sound = UnspokenWord(VowelGroups(stem));
        }
        // The engine spells out what it cannot read ("shh", a word in another script) letter by
        // letter; a written word has at most one syllable more than its vowel groups.
        const int most = VowelGroups(stem) + 1;
        if (std::ssize(sound.syllables) > most) {
            const bool stressed =
                std::any_of(sound.syllables.begin(), sound.syllables.end(),
                            [](const SpokenSyllable& s) { return s.stress == Lexical::Primary; });
            sound = UnspokenWord(most);
            sound.syllables[0].stress = stressed ? Lexical::Primary : Lexical::None;
            heard = false;
        }
        std::vector<Lexical> lexical;
        for (const SpokenSyllable& syllable : sound.syllables) {
            lexical.push_back(syllable.stress);
        }
        weights = WeighWord(spoken, lexical);
        pieces = heard ? SplitWritten(stem, sound)
                       : SplitWritten(stem, static_cast<int>(weights.size()));
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
    }
    pieces.front().prepend(word.lead);
    pieces.back().append(word.trail);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        line.syllables += '\t';
        line.syllables += pieces[i].toStdString();
        const int juncture = i + 1 < pieces.size() ? 1 : lastInLine ? 4 : JunctureAfter(word);
        line.junctures += static_cast<char>('0' + juncture);
    }
    line.weights.insert(line.weights.end(), weights.begin(), weights.end());
}

// Scans a batch of lines; a refusal when one holds too many syllables.
std::variant<std::vector<ScannedLine>, Refusal> ScanLines(const Poem& poem, std::size_t from,
                                                          std::size_t to) {
    std::vector<std::vector<Word>> words;
    std::vector<QString> texts;
    std::vector<std::string> asked;
    for (std::size_t j = from; j < to; ++j) {
        texts.push_back(Clean(poem.verseLines[j]));
        words.push_back(SplitIntoWords(texts.back()));
        for (const Word& word : words.back()) {
            if (AsksTheEngine(word)) {
                asked.push_back(word.spoken.toStdString());
            }
        }
    }
    const std::vector<std::string> phonemes = Pronounce(asked);
    std::size_t next = 0;
    std::vector<ScannedLine> lines(to - from);
    for (std::size_t j = 0; j < lines.size(); ++j) {
        ScannedLine& line = lines[j];
        line.text = texts[j].toStdString();
        for (std::size_t w = 0; w < words[j].size(); ++w) {
            const Word& word = words[j][w];
            AddWord(word, AsksTheEngine(word) ? phonemes[next++] : std::string(),
                    w + 1 == words[j].size(), line);
        }
        if (std::ssize(line.weights) > kMostSyllablesInALine) {
            return Refusal{"Verse line " + std::to_string(from + j + 1) + " has more than " +
                               std::to_string(kMostSyllablesInALine) +
                               " syllables, the most a line can hold.",
                           static_cast<std::int64_t>(from + j + 1)};
        }
    }
    return lines;
}

void WriteRecord(std::int64_t number, const ScannedLine& line, const std::vector<int>& values,
                 std::string& out) {
    const std::string head = std::to_string(number);
    out += head + "\tsyllables\t" + line.text + line.syllables + "\r\n";
    out += head + "\tstress\t" + line.text;
    for (int value : values) {
        (out += '\t') += static_cast<char>('0' + value);
    }
    out += "\r\n" + head + "\tjuncture\t" + line.text;
    for (char juncture : line.junctures) {
        (out += '\t') += juncture;
    }
    out += "\r\n" + head + "\tcomment\t" + line.text + "\t\r\n";
}

}  // namespace

std::variant<Scansion, Refusal, Cancelled> Scan(const Poem& poem, const Options& options) {
    StartPronunciationEngine();
    const std::size_t total = poem.verseLines.size();
    std::vector<ScannedLine> lines;
    lines.reserve(total);
    for (std::size_t from = 0; from < total; from += kLinesAtATime) {
        if (options.progress &&
            !options.progress(static_cast<std::int64_t>(from), static_cast<std::int64_t>(total))) {
            return Cancelled{};
        }
        auto batch = ScanLines(poem, from, std::min(total, from + kLinesAtATime));
        if (auto* refusal = std::get_if<Refusal>(&batch)) {
            return *refusal;
        }
        for (ScannedLine& line : std::get<std::vector<ScannedLine>>(batch)) {
            lines.push_back(std::move(line));
        }
    }
    if (options.progress &&
        !options.progress(static_cast<std::int64_t>(total), static_cast<std::int64_t>(total))) {
        return Cancelled{};
    }

    Scansion result;
    std::vector<bool> strong;
    if (!options.meter.empty()) {
        for (const std::string& symbol : options.meter) {
            strong.push_back(meter::IsStrongSymbol(symbol));
            result.meterFile += (result.meterFile.empty() ? "" : "\t") + symbol;
        }
        result.meterName = "imposed";
    } else {
        std::vector<std::vector<std::uint8_t>> before;
        before.reserve(lines.size());
        for (const ScannedLine& line : lines) {
            std::vector<std::uint8_t>& values = before.emplace_back();
            for (Weight weight : line.weights) {
                values.push_back(static_cast<std::uint8_t>(ValueBeforeMeter(weight)));
            }
        }
        const MeterCandidate& chosen = MeterCandidates()[ChooseMeter(before)];
        strong = chosen.strong;
        result.meterFile = MeterRow(strong);
        result.meterName = chosen.name;
    }
    const meter::Meter meter(result.meterFile, static_cast<std::int32_t>(strong.size()));
    result.meterFile += "\r\n";
    // A line stands in the form of the meter it fits best (a headless line begins a place on),
    // so that a stress the position makes falls where the line's own places are.
    const std::vector<std::vector<bool>> forms = LineForms(strong);
    std::vector<meter::Meter> formMeters;
    for (const std::vector<bool>& form : forms) {
        formMeters.emplace_back(MeterRow(form), static_cast<std::int32_t>(form.size()));
    }

    std::size_t size = 0;
    for (const ScannedLine& line : lines) {
        size += 4 * (line.text.size() + 24) + line.syllables.size() + 4 * line.weights.size();
    }
    result.scansionFile.reserve(size);
    meter::ShownLine shown;
    std::vector<std::string> syllables(1);
    std::vector<std::string> stresses(1);
    for (std::size_t j = 0; j < lines.size(); ++j) {
        std::vector<std::uint8_t> before;
        for (Weight weight : lines[j].weights) {
            before.push_back(static_cast<std::uint8_t>(ValueBeforeMeter(weight)));
        }
        const std::vector<int> values =
            ValuesUnderMeter(lines[j].weights, formMeters[BestForm(forms, before)]);
        WriteRecord(static_cast<std::int64_t>(j + 1), lines[j], values, result.scansionFile);
        syllables.assign(values.size() + 1, "x");
        stresses.resize(1);
        for (int value : values) {
            stresses.push_back(std::to_string(value));
        }
        shown.Read(syllables, stresses);
        if (meter::JudgeLine(meter, shown, meter::Strictness::StressMaxima).Fits()) {
            ++result.linesFitting;
        }
        result.syllables += std::ssize(values);
    }
    result.verseLines = static_cast<std::int64_t>(lines.size());
    return result;
}

}  // namespace corvale::firstpass
