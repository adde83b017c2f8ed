// The first pass: words, their syllables and stresses, the meter, and the scansion file.
#include "firstpass/FirstPass.h"
#include "firstpass/MeterChoice.h"
#include "firstpass/PoemWords.h"
#include "firstpass/ReadingChoice.h"
#include "firstpass/Readings.h"
#include "firstpass/Stress.h"

#include "meter/MeterCheck.h"

#include <QString>

#include <algorithm>

namespace corvale::firstpass {
namespace {

// Verse lines read and spoken together: one trip to the engine's thread, then a progress report.
constexpr std::size_t kLinesAtATime = 256;

struct ScannedLine {
    std::string text;
    ReadLine words;
    // The readings the line takes, once the meter has chosen them.
    std::string syllables;  // each syllable after a tab
    std::string junctures;  // one digit a syllable
    std::vector<Weight> weights;
    std::string comment;
};

// The line's text with anything that would break a row (tabs, line ends, other control
// characters) turned into a space.
QString Clean(const std::string& line) {
    QString text = QString::fromUtf8(line);
    for (QChar& c : text) {
        // The control characters (general category Cc) are exactly these.
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f)) {
            c = u' ';
        }
    }
    return text.trimmed();
}

// Scans a batch of lines; a refusal when one holds too many syllables.
std::variant<std::vector<ScannedLine>, Refusal> ScanLines(const Poem& poem, std::size_t from,
                                                          std::size_t to, PoemWords& poemWords) {
    std::vector<QString> texts;
    for (std::size_t j = from; j < to; ++j) {
        texts.push_back(Clean(poem.verseLines[j]));
    }
    std::vector<ReadLine> read = poemWords.Read(texts);
    std::vector<ScannedLine> lines(to - from);
    for (std::size_t j = 0; j < lines.size(); ++j) {
        ScannedLine& line = lines[j];
        line.text = texts[j].toStdString();
        line.words = std::move(read[j]);
        std::int64_t syllables = 0;
        for (const ReadWord* word : line.words) {
            syllables += std::ssize(word->readings.front().weights);
        }
        if (syllables > kMostSyllablesInALine) {
            return Refusal{"Verse line " + std::to_string(from + j + 1) + " has more than " +
                               std::to_string(kMostSyllablesInALine) +
                               " syllables, the most a line can hold.",
                           static_cast<std::int64_t>(from + j + 1)};
        }
    }
    return lines;
}

// Each syllable of the line, as a view into it.
void SyllablesOf(const ScannedLine& line, std::vector<std::string_view>& syllables) {
    syllables.clear();
    const std::string_view all = line.syllables;
    for (std::size_t tab = all.find('\t'); tab != std::string_view::npos;) {
        const std::size_t next = all.find('\t', tab + 1);
        syllables.push_back(all.substr(tab + 1, next - tab - 1));
        tab = next;
    }
}

// One-digit values, each as a view into `digits`.
void DigitViews(std::string_view digits, std::vector<std::string_view>& views) {
    views.clear();
    for (std::size_t i = 0; i < digits.size(); ++i) {
        views.push_back(digits.substr(i, 1));
    }
}

// The meter the lines fit best, each weighing its combinations of readings.
const MeterCandidate& ChosenMeter(const std::vector<ScannedLine>& lines) {
    MeterEvidence evidence;
    for (const ScannedLine& line : lines) {
        Combinations combinations(line.words, kCombinationsForTheMeter);
        do {
            evidence.Offer(combinations.Values());
        } while (combinations.Next());
        evidence.EndLine();
    }
    return MeterCandidates()[ChooseMeter(evidence)];
}

// Sets the line's syllables, junctures, weights and comment from the readings its words take.
// A line the readings would take past the most syllables a line holds keeps its spoken ones.
void Take(ScannedLine& line, std::vector<std::size_t> choices) {
    std::int64_t syllables = 0;
    std::size_t bytes = 0;
    for (std::size_t w = 0; w < line.words.size(); ++w) {
        const WordReading& reading = line.words[w]->readings[choices[w]];
        syllables += std::ssize(reading.weights);
        bytes += reading.syllables.size() + 1;
    }
    if (syllables > kMostSyllablesInALine) {
        choices.assign(line.words.size(), 0);
    }
    line.syllables.reserve(bytes);
    line.junctures.reserve(static_cast<std::size_t>(syllables));
    line.weights.reserve(static_cast<std::size_t>(syllables));
    std::string joining;  // words joining the next word's first syllable
    for (std::size_t w = 0; w < line.words.size(); ++w) {
        const WordReading& reading = line.words[w]->readings[choices[w]];
        if (reading.weights.empty()) {
            joining += reading.syllables;
            joining += ' ';
            continue;
        }
        line.syllables += '\t';
        line.syllables += joining;
        line.syllables.append(reading.syllables, 1);
        joining.clear();
        line.junctures.append(reading.weights.size() - 1, '1');
        line.junctures += static_cast<char>('0' + line.words[w]->juncture);
        line.weights.insert(line.weights.end(), reading.weights.begin(), reading.weights.end());
    }
    line.comment = ReadingNote(line.words, choices);
    line.words.clear();
    line.words.shrink_to_fit();
}

// Writes the records of a poem's lines, reusing its room from line to line.
class RecordWriter {
public:
    void Write(std::int64_t number, const ScannedLine& line, const std::vector<int>& values,
               std::string& out) {
        stresses_.clear();
        for (int value : values) {
            stresses_ += static_cast<char>('0' + value);
        }
        SyllablesOf(line, syllables_);
        DigitViews(stresses_, stressViews_);
        DigitViews(line.junctures, junctures_);
        // The texts are already what a row can hold: the line was cleaned as it was read.
        AppendRecord(
            out,
            RecordTexts{number, line.text, {syllables_, stressViews_, junctures_}, line.comment},
            TextRule::Keep);
    }

private:
    std::string stresses_;
    std::vector<std::string_view> syllables_;
    std::vector<std::string_view> stressViews_;
    std::vector<std::string_view> junctures_;
};

}  // namespace

std::variant<Scansion, Refusal, Cancelled> Scan(const Poem& poem, const Options& options) {
    StartPronunciationEngine();
    const std::size_t total = poem.verseLines.size();
    PoemWords poemWords(MarksOf(poem.verseLines));
    std::vector<ScannedLine> lines;
    lines.reserve(total);
    for (std::size_t from = 0; from < total; from += kLinesAtATime) {
        if (options.progress &&
            !options.progress(static_cast<std::int64_t>(from), static_cast<std::int64_t>(total))) {
            return Cancelled{};
        }
        auto batch = ScanLines(poem, from, std::min(total, from + kLinesAtATime), poemWords);
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
        const MeterCandidate& chosen = ChosenMeter(lines);
        strong = chosen.strong;
        result.meterFile = MeterRow(strong);
        result.meterName = chosen.name;
    }
    const meter::Meter meter(result.meterFile, static_cast<std::int32_t>(strong.size()));
    result.meterFile += "\r\n";
    // A line stands in the form of the meter it fits best (a headless line begins a place on),
    // so that a stress the position makes falls where the line's own places are.
    const std::vector<std::vector<bool>> forms = LineForms(strong);
    ReadingChooser chooser(forms);
    std::size_t size = 0;
    for (ScannedLine& line : lines) {
        Take(line, chooser.Choose(line.words));
        size += 4 * (line.text.size() + 24) + line.syllables.size() + 4 * line.weights.size() +
                line.comment.size();
    }
    result.scansionFile.reserve(size);
    const std::vector<meter::Meter> formMeters = FormMeters(forms);
    meter::ShownLine shown;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> under;
    RecordWriter writer;
    for (std::size_t j = 0; j < lines.size(); ++j) {
        before.clear();
        for (Weight weight : lines[j].weights) {
            before.push_back(static_cast<std::uint8_t>(ValueBeforeMeter(weight)));
        }
        shown.Read(before);
        const std::vector<int> values =
            ValuesUnderMeter(lines[j].weights, formMeters[BestForm(formMeters, shown)]);
        writer.Write(static_cast<std::int64_t>(j + 1), lines[j], values, result.scansionFile);
        under.assign(values.begin(), values.end());
        shown.Read(under);
        if (meter::JudgeLine(meter, shown, meter::Strictness::StressMaxima).Fits()) {
            ++result.linesFitting;
        }
        result.syllables += std::ssize(values);
    }
    result.verseLines = static_cast<std::int64_t>(lines.size());
    return result;
}

}  // namespace corvale::firstpass
