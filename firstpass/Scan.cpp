// The first pass: words, their syllables and stresses, the meter, and the scansion file.
#include "firstpass/FirstPass.h"
#include "firstpass/LineBatch.h"
#include "firstpass/MeterChoice.h"
#include "firstpass/ReadingChoice.h"
#include "firstpass/Readings.h"
#include "firstpass/Stress.h"

#include "meter/MeterCheck.h"

#include <QString>

#include <algorithm>

namespace corvale::firstpass {
namespace {

// Each syllable of the line, as a view into it.
std::vector<std::string_view> SyllablesOf(const ScannedLine& line) {
    std::vector<std::string_view> syllables;
    const std::string_view all = line.syllables;
    for (std::size_t tab = all.find('\t'); tab != std::string_view::npos;) {
        const std::size_t next = all.find('\t', tab + 1);
        syllables.push_back(all.substr(tab + 1, next - tab - 1));
        tab = next;
    }
    return syllables;
}

// One-digit values, each as a view into `digits`.
std::vector<std::string_view> DigitViews(const std::string& digits) {
    std::vector<std::string_view> views;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        views.push_back(std::string_view(digits).substr(i, 1));
    }
    return views;
}

// The line's stress values before the meter under each combination of readings weighed.
LineReadings ReadingsForTheMeter(const ScannedLine& line) {
    std::vector<std::size_t> choices;
    const Combinations combinations(line.words, kCombinationsForTheMeter);
    LineReadings values(combinations.Count());
    for (std::size_t c = 0; c < combinations.Count(); ++c) {
        combinations.Choices(c, choices);
        combinations.Values(choices, values[c]);
    }
    return values;
}

// Sets the line's syllables, junctures, weights and comment from the readings its words take.
// A line the readings would take past the most syllables a line holds keeps its spoken ones.
void Take(ScannedLine& line, std::vector<std::size_t> choices) {
    std::int64_t syllables = 0;
    for (std::size_t w = 0; w < line.words.size(); ++w) {
        syllables += std::ssize(line.words[w].readings[choices[w]].weights);
    }
    if (syllables > kMostSyllablesInALine) {
        choices.assign(line.words.size(), 0);
    }
    std::string joining;  // words joining the next word's first syllable
    for (std::size_t w = 0; w < line.words.size(); ++w) {
        const WordReading& reading = line.words[w].readings[choices[w]];
        if (reading.weights.empty()) {
            joining += reading.syllables + ' ';
            continue;
        }
        line.syllables += '\t' + joining;
        line.syllables.append(reading.syllables, 1);
        joining.clear();
        line.junctures.append(reading.weights.size() - 1, '1');
        line.junctures += static_cast<char>('0' + line.words[w].juncture);
        line.weights.insert(line.weights.end(), reading.weights.begin(), reading.weights.end());
    }
    line.comment = ReadingNote(line.words, choices);
    line.words.clear();
    line.words.shrink_to_fit();
}

void WriteRecord(std::int64_t number, const ScannedLine& line, const std::vector<int>& values,
                 std::string& out) {
    std::string stresses;
    for (int value : values) {
        stresses += static_cast<char>('0' + value);
    }
    const std::vector<std::string_view> syllables = SyllablesOf(line);
    const std::vector<std::string_view> stressViews = DigitViews(stresses);
    const std::vector<std::string_view> junctures = DigitViews(line.junctures);
    // The texts are already what a row can hold: the line was cleaned as it was read.
    AppendRecord(out,
                 RecordTexts{number, line.text, {syllables, stressViews, junctures}, line.comment},
                 TextRule::Keep);
}

// One pass over the poem's verse lines in batches, each batch scanned afresh, reporting progress
// before each batch as its share of all the passes.
class Pass {
public:
    Pass(const Poem& poem, LineScanner& scanner, const Options& options, int pass, int passes)
        : poem_(poem), scanner_(scanner), options_(options), pass_(pass), passes_(passes) {}

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
            auto scanned = scanner_.Scan(batch, first);
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
    LineScanner& scanner_;
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

std::variant<ScanMeter, Refusal, Cancelled> ChosenMeter(const Pass& pass) {
    MeterTally tally;
    const auto stopped = pass.Run([&tally](const std::vector<ScannedLine>& lines, std::size_t) {
        for (const ScannedLine& line : lines) {
            tally.Add(ReadingsForTheMeter(line));
        }
        return true;
    });
    if (stopped) {
        return std::visit(
            [](auto& why) -> std::variant<ScanMeter, Refusal, Cancelled> { return why; }, *stopped);
    }
    const MeterCandidate& chosen = MeterCandidates()[tally.Choose()];
    return ScanMeter{chosen.strong, MeterRow(chosen.strong), chosen.name};
}

// Writes each line's record under the meter, and counts what the summary says.
class RecordWriter {
public:
    explicit RecordWriter(const ScanMeter& chosen)
        : meter_(chosen.row, static_cast<std::int32_t>(chosen.strong.size())),
          forms_(LineForms(chosen.strong)) {
        // A line stands in the form of the meter it fits best (a headless line begins a place
        // on), so that a stress the position makes falls where the line's own places are.
        for (const std::vector<bool>& form : forms_) {
            formMeters_.emplace_back(MeterRow(form), static_cast<std::int32_t>(form.size()));
        }
    }

    // The records of a batch of lines, the first of them verse line `first`.
    std::string Records(std::vector<ScannedLine>& lines, std::size_t first, ScanSummary& summary) {
        std::size_t size = 0;
        for (ScannedLine& line : lines) {
            Take(line, ChooseReadings(line.words, formMeters_));
            size += 4 * (line.text.size() + 24) + line.syllables.size() + 4 * line.weights.size() +
                    line.comment.size();
        }
        std::string out;
        out.reserve(size);
        for (std::size_t j = 0; j < lines.size(); ++j) {
            const std::vector<int> values = Values(lines[j]);
            WriteRecord(static_cast<std::int64_t>(first + j), lines[j], values, out);
            summary.linesFitting += Fits(values);
            summary.syllables += std::ssize(values);
        }
        summary.verseLines += std::ssize(lines);
        return out;
    }

private:
    std::vector<int> Values(const ScannedLine& line) const {
        std::vector<std::uint8_t> before;
        for (Weight weight : line.weights) {
            before.push_back(static_cast<std::uint8_t>(ValueBeforeMeter(weight)));
        }
        return ValuesUnderMeter(line.weights, formMeters_[BestForm(forms_, before)]);
    }

    bool Fits(const std::vector<int>& values) {
        syllables_.assign(values.size() + 1, "x");
        stresses_.resize(1);
        for (int value : values) {
            stresses_.push_back(std::to_string(value));
        }
        shown_.Read(syllables_, stresses_);
        return meter::JudgeLine(meter_, shown_, meter::Strictness::StressMaxima).Fits();
    }

    meter::Meter meter_;
    std::vector<std::vector<bool>> forms_;
    std::vector<meter::Meter> formMeters_;
    meter::ShownLine shown_;
    std::vector<std::string> syllables_ = std::vector<std::string>(1);
    std::vector<std::string> stresses_ = std::vector<std::string>(1);
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
    LineScanner scanner(MarksOf(poem.verseLines));
    const int passes = options.meter.empty() ? 2 : 1;
    std::variant<ScanMeter, Refusal, Cancelled> chosen =
        options.meter.empty() ? ChosenMeter(Pass(poem, scanner, options, 0, passes))
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
    RecordWriter writer(meter);
    const Pass writing(poem, scanner, options, passes - 1, passes);
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
