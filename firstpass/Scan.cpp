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
#include <optional>

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
QString Clean(std::string_view line) {
    QString text = QString::fromUtf8(line.data(), std::ssize(line));
    for (QChar& c : text) {
        // The control characters (general category Cc) are exactly these.
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f)) {
            c = u' ';
        }
    }
    return text.trimmed();
}

// Scans a batch of lines, the first of them verse line `first`; a refusal when one holds too
// many syllables. The lines' words are valid until the next batch is scanned.
std::variant<std::vector<ScannedLine>, Refusal> ScanLines(
    const std::vector<std::string_view>& batch, std::size_t first, PoemWords& poemWords) {
    std::vector<QString> texts;
    texts.reserve(batch.size());
    for (const std::string_view line : batch) {
        texts.push_back(Clean(line));
    }
    std::vector<ReadLine> read = poemWords.Read(texts);
    std::vector<ScannedLine> lines(batch.size());
    for (std::size_t j = 0; j < lines.size(); ++j) {
        ScannedLine& line = lines[j];
        line.text = texts[j].toStdString();
        line.words = std::move(read[j]);
        std::int64_t syllables = 0;
        for (const ReadWord* word : line.words) {
            syllables += std::ssize(word->readings.front().weights);
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

// One pass over the poem's verse lines in batches, each batch scanned afresh, reporting progress
// before each batch as its share of all the passes.
class Pass {
public:
    Pass(const Poem& poem, PoemWords& poemWords, const Options& options, int pass, int passes)
        : poem_(poem), poemWords_(poemWords), options_(options), pass_(pass), passes_(passes) {}

    // Gives each batch's scanned lines, with the number of the first, to `each`, which returns
    // false to end the pass as Cancelled.
    template <typename Each>
    std::optional<std::variant<Refusal, Cancelled>> Run(Each each) const {
        std::vector<std::string_view> batch;
        std::size_t first = 1;
        for (auto line = poem_.verseLines.begin(); line != poem_.verseLines.end();
             first += batch.size()) {
            if (!Report(first - 1)) {
                return Cancelled{};
            }
            batch.clear();
            while (line != poem_.verseLines.end() && batch.size() < kLinesAtATime) {
                batch.push_back(*line++);
            }
            auto scanned = ScanLines(batch, first, poemWords_);
            if (auto* refusal = std::get_if<Refusal>(&scanned)) {
                return std::move(*refusal);
            }
            if (!each(std::get<std::vector<ScannedLine>>(scanned), first)) {
                return Cancelled{};
            }
        }
        return std::nullopt;
    }

    // The last report of the last pass: all done.
    bool ReportDone() const { return Report(poem_.verseLines.size()); }

private:
    bool Report(std::size_t done) const {
        const auto total = static_cast<std::int64_t>(poem_.verseLines.size());
        return !options_.progress ||
               options_.progress((pass_ * total + static_cast<std::int64_t>(done)) / passes_,
                                 total);
    }

    const Poem& poem_;
    PoemWords& poemWords_;
    const Options& options_;
    int pass_;
    int passes_;
};

// The meter the scan writes under: imposed, or chosen from every line's readings.
struct ScanMeter {
    std::vector<bool> strong;
    std::string row;  // the meter file's row, without line end
    std::string name;
};

ScanMeter Imposed(const std::vector<std::string>& symbols) {
    ScanMeter imposed{{}, {}, "imposed"};
    for (const std::string& symbol : symbols) {
        imposed.strong.push_back(meter::IsStrongSymbol(symbol));
        imposed.row += (imposed.row.empty() ? "" : "\t") + symbol;
    }
    return imposed;
}

// The meter the lines fit best, each weighing its combinations of readings.
std::variant<ScanMeter, Refusal, Cancelled> ChosenMeter(const Pass& pass) {
    MeterEvidence evidence;
    const auto stopped = pass.Run([&evidence](const std::vector<ScannedLine>& lines, std::size_t) {
        for (const ScannedLine& line : lines) {
            Combinations combinations(line.words, kCombinationsForTheMeter);
            do {
                evidence.Offer(combinations.Values());
            } while (combinations.Next());
            evidence.EndLine();
        }
        return true;
    });
    if (stopped) {
        return std::visit(
            [](auto& why) -> std::variant<ScanMeter, Refusal, Cancelled> { return why; }, *stopped);
    }
    const MeterCandidate& chosen = MeterCandidates()[ChooseMeter(evidence)];
    return ScanMeter{chosen.strong, MeterRow(chosen.strong), chosen.name};
}

// Writes each line's record under the meter, reusing its room from line to line, and counts
// what the summary says.
class RecordWriter {
public:
    // A line stands in the form of the meter it fits best (a headless line begins a place on),
    // so that a stress the position makes falls where the line's own places are.
    RecordWriter(const ScanMeter& chosen, const Conventions& conventions)
        : conventions_(conventions),
          meter_(chosen.row, static_cast<std::int32_t>(chosen.strong.size())),
          forms_(LineForms(chosen.strong)),
          chooser_(forms_),
          formMeters_(FormMeters(forms_)) {}

    // The records of a batch of lines, the first of them verse line `first`.
    std::string Records(std::vector<ScannedLine>& lines, std::size_t first, ScanSummary& summary) {
        std::size_t size = 0;
        for (ScannedLine& line : lines) {
            Take(line, chooser_.Choose(line.words));
            size += 4 * (line.text.size() + 24) + line.syllables.size() + 4 * line.weights.size() +
                    line.comment.size();
        }
        std::string out;
        out.reserve(size);
        for (std::size_t j = 0; j < lines.size(); ++j) {
            before_.clear();
            for (Weight weight : lines[j].weights) {
                before_.push_back(static_cast<std::uint8_t>(ValueBeforeMeter(weight)));
            }
            shown_.Read(before_);
            const std::vector<int> values = ValuesUnderMeter(
                lines[j].weights, formMeters_[BestForm(formMeters_, shown_)], conventions_);
            Write(static_cast<std::int64_t>(first + j), lines[j], values, out);
            under_.assign(values.begin(), values.end());
            shown_.Read(under_);
            summary.linesFitting +=
                meter::JudgeLine(meter_, shown_, meter::Strictness::StressMaxima).Fits();
            summary.syllables += std::ssize(values);
        }
        summary.verseLines += std::ssize(lines);
        return out;
    }

private:
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

    const Conventions& conventions_;
    meter::Meter meter_;
    std::vector<std::vector<bool>> forms_;
    ReadingChooser chooser_;
    std::vector<meter::Meter> formMeters_;
    meter::ShownLine shown_;
    std::vector<std::uint8_t> before_;
    std::vector<std::uint8_t> under_;
    std::string stresses_;
    std::vector<std::string_view> syllables_;
    std::vector<std::string_view> stressViews_;
    std::vector<std::string_view> junctures_;
};

// A sink that keeps everything, for Scan.
class Kept : public ScanSink {
public:
    explicit Kept(Scansion& scansion) : scansion_(scansion) {}
    void TakeMeter(std::string_view meterFile) override { scansion_.meterFile = meterFile; }
    bool TakeRecords(std::string_view records) override {
        scansion_.scansionFile += records;
        return true;
    }

private:
    Scansion& scansion_;
};

}  // namespace

std::variant<ScanSummary, Refusal, Cancelled> ScanInto(const Poem& poem, const Options& options,
                                                       ScanSink& sink) {
    StartPronunciationEngine();
    // One memory of words for both passes: the second reads what the first has read.
    PoemWords poemWords(MarksOf(poem.verseLines), options.conventions);
    const int passes = options.meter.empty() ? 2 : 1;
    std::variant<ScanMeter, Refusal, Cancelled> chosen =
        options.meter.empty() ? ChosenMeter(Pass(poem, poemWords, options, 0, passes))
                              : Imposed(options.meter);
    if (auto* refusal = std::get_if<Refusal>(&chosen)) {
        return std::move(*refusal);
    }
    if (std::holds_alternative<Cancelled>(chosen)) {
        return Cancelled{};
    }
    const ScanMeter& meter = std::get<ScanMeter>(chosen);
    sink.TakeMeter(meter.row + "\r\n");
    ScanSummary summary;
    summary.meterName = meter.name;
    RecordWriter writer(meter, options.conventions);
    const Pass writing(poem, poemWords, options, passes - 1, passes);
    const auto stopped = writing.Run([&](std::vector<ScannedLine>& lines, std::size_t first) {
        return sink.TakeRecords(writer.Records(lines, first, summary));
    });
    if (stopped) {
        return std::visit(
            [](auto& why) -> std::variant<ScanSummary, Refusal, Cancelled> { return why; },
            *stopped);
    }
    if (!writing.ReportDone()) {
        return Cancelled{};
    }
    return summary;
}

std::variant<Scansion, Refusal, Cancelled> Scan(const Poem& poem, const Options& options) {
    Scansion scansion;
    Kept kept(scansion);
    auto scanned = ScanInto(poem, options, kept);
    if (auto* summary = std::get_if<ScanSummary>(&scanned)) {
        static_cast<ScanSummary&>(scansion) = std::move(*summary);
        return scansion;
    }
    if (auto* refusal = std::get_if<Refusal>(&scanned)) {
        return std::move(*refusal);
    }
    return Cancelled{};
}

}  // namespace corvale::firstpass
