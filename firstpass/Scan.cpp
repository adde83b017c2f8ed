// The first pass: words, their syllables and stresses, the meter, and the scansion file.
#include "firstpass/FirstPass.h"
#include "firstpass/MeterChoice.h"
#include "firstpass/PoemWords.h"
#include "firstpass/ReadingChoice.h"
#include "firstpass/Readings.h"
#include "firstpass/Stress.h"

#include "meter/LineMeter.h"
#include "meter/MeterCheck.h"
#include "meter/TypedMeter.h"

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

// The readings a line's words take: `choices`, or the spoken ones when those would take the line
// past the most syllables a line holds.
void KeepWithinALine(const ReadLine& words, std::vector<std::size_t>& choices) {
    std::int64_t syllables = 0;
    for (std::size_t w = 0; w < words.size(); ++w) {
        syllables += std::ssize(words[w]->readings[choices[w]].weights);
    }
    if (syllables > kMostSyllablesInALine) {
        choices.assign(words.size(), 0);
    }
}

// Sets the line's syllables, junctures, weights and comment from the readings its words take
// (KeepWithinALine).
void Take(ScannedLine& line, const std::vector<std::size_t>& choices) {
    std::int64_t syllables = 0;
    std::size_t bytes = 0;
    for (std::size_t w = 0; w < line.words.size(); ++w) {
        const WordReading& reading = line.words[w]->readings[choices[w]];
        syllables += std::ssize(reading.weights);
        bytes += reading.syllables.size() + 1;
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

// A meter the scan writes under: imposed, or found from every line's readings.
struct ScanMeter {
    std::vector<bool> strong;
    std::string row;  // the meter file's row, without line end
    std::string name;
};

std::vector<ScanMeter> Imposed(const std::vector<std::vector<std::string>>& meters) {
    std::vector<ScanMeter> imposed;
    for (const std::vector<std::string>& symbols : meters) {
        ScanMeter& meter = imposed.emplace_back(ScanMeter{{}, meter::MeterFileLine(symbols), {}});
        for (const std::string& symbol : symbols) {
            meter.strong.push_back(meter::IsStrongSymbol(symbol));
        }
    }
    return imposed;
}

// The meters the lines are written in, each line weighing its combinations of readings.
std::variant<std::vector<ScanMeter>, Refusal, Cancelled> FoundMeters(const Pass& pass,
                                                                     const MeterCosts& costs) {
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
            [](auto& why) -> std::variant<std::vector<ScanMeter>, Refusal, Cancelled> {
                return why;
            },
            *stopped);
    }
    std::vector<ScanMeter> found;
    const std::vector<std::size_t> meters = FindMeters(evidence, costs);
    const MeterCandidate& main = MeterCandidates()[meters.front()];
    for (const std::size_t c : meters) {
        const MeterCandidate& chosen = MeterCandidates()[c];
        found.push_back({chosen.strong, MeterRow(chosen.strong), NameBeside(chosen, main)});
    }
    return found;
}

// What the summary calls the meters: the names found, joined by " + ", or how many were imposed.
std::string NameOf(const std::vector<ScanMeter>& meters) {
    std::string name;
    for (const ScanMeter& meter : meters) {
        if (meter.name.empty()) {
            return meters.size() == 1 ? "imposed"
                                      : std::to_string(meters.size()) + " imposed meters";
        }
        name += (name.empty() ? "" : " + ") + meter.name;
    }
    return name;
}

// A line as one meter would have it written: the readings its words take, and its values.
struct LineUnder {
    std::vector<std::size_t> choices;
    std::vector<int> values;
    std::int32_t start = 1;  // the column of its first syllable, the meter's place for it
};

// How lines are scanned under one meter. A line stands in the form of the meter it fits best (a
// headless line begins a place on), so that a stress the position makes falls where the line's
// own places are; and it is written under those places, the columns of the weak places a
// headless line drops left blank, so that its stresses stand under the meter's strong places.
class MeterScan {
public:
    MeterScan(const ScanMeter& meter, const Conventions& conventions)
        : conventions_(conventions),
          meter_(meter.row, static_cast<std::int32_t>(meter.strong.size())),
          forms_(LineForms(meter.strong)),
          chooser_(forms_),
          formMeters_(FormMeters(forms_)),
          starts_(FormStarts(meter.strong)) {}

    const meter::Meter& Places() const { return meter_; }

    // Whether a line of `fewest` to `most` syllables, whatever its readings, may fit the meter
    // by length.
    bool MayFit(std::int64_t fewest, std::int64_t most) const {
        return fewest <= meter_.Places() + 1 && most >= meter_.Places() - 1;
    }

    void Scan(const ReadLine& words, LineUnder& under) {
        under.choices = chooser_.Choose(words);
        KeepWithinALine(words, under.choices);
        weights_.clear();
        before_.clear();
        for (std::size_t w = 0; w < words.size(); ++w) {
            for (const Weight weight : words[w]->readings[under.choices[w]].weights) {
                weights_.push_back(weight);
                before_.push_back(static_cast<std::uint8_t>(ValueBeforeMeter(weight)));
            }
        }
        shown_.Read(before_);
        const std::size_t form = BestForm(formMeters_, shown_);
        under.values = ValuesUnderMeter(weights_, formMeters_[form], conventions_);
        // A line is written under the places of its form when it fits that form by length, as
        // many syllables as it has places or one more unstressed, and the file has room for the
        // columns before it.
        const auto count = std::ssize(under.values);
        const std::int32_t places = formMeters_[form].Places();
        const bool fits = count == places || (count == places + 1 && under.values.back() <= 1);
        under.start =
            fits && count + starts_[form] - 1 <= kMostSyllablesInALine ? starts_[form] : 1;
    }

private:
    const Conventions& conventions_;
    meter::Meter meter_;
    std::vector<std::vector<bool>> forms_;
    ReadingChooser chooser_;
    std::vector<meter::Meter> formMeters_;
    std::vector<std::int32_t> starts_;  // a form's first column
    meter::ShownLine shown_;
    std::vector<Weight> weights_;
    std::vector<std::uint8_t> before_;
};

// Writes each line's record under the meter it is measured against (meter::LineMeter),
// reusing its room from line to line, and counts what the summary says.
class RecordWriter {
public:
    RecordWriter(const std::vector<ScanMeter>& meters, const Conventions& conventions) {
        std::vector<meter::Meter> places;
        scans_.reserve(meters.size());
        for (const ScanMeter& meter : meters) {
            places.push_back(scans_.emplace_back(meter, conventions).Places());
        }
        rule_ = meter::Meters(std::move(places));
        unders_.resize(scans_.size());
    }

    // The records of a batch of lines, the first of them verse line `first`.
    std::string Records(std::vector<ScannedLine>& lines, std::size_t first, ScanSummary& summary) {
        std::vector<std::vector<int>> values(lines.size());
        std::vector<std::int32_t> starts(lines.size());
        std::size_t size = 0;
        for (std::size_t j = 0; j < lines.size(); ++j) {
            ScannedLine& line = lines[j];
            ChooseMeter(line.words);
            Take(line, chosen_->choices);
            values[j] = std::move(chosen_->values);
            starts[j] = chosen_->start;
            size += 4 * (line.text.size() + 24) + line.syllables.size() + 4 * line.weights.size() +
                    line.comment.size();
        }
        std::string out;
        out.reserve(size);
        for (std::size_t j = 0; j < lines.size(); ++j) {
            Write(static_cast<std::int64_t>(first + j), lines[j], values[j], starts[j], out);
            under_.assign(values[j].begin(), values[j].end());
            shown_.Read(under_, starts[j]);
            const meter::Meter& meter = rule_.Number(meter::LineMeter(rule_, shown_));
            summary.linesFitting +=
                meter::JudgeLine(meter, shown_, meter::Strictness::StressMaxima).Fits();
            summary.syllables += std::ssize(values[j]);
        }
        summary.verseLines += std::ssize(lines);
        return out;
    }

private:
    // Scans the line under each meter its readings may fit by length, and keeps a scan that is
    // then measured against the very meter it was made under (meter::LineMeter): of those, the
    // one that keeps to its meter best, its departures and syllables too many or too few
    // counted, the earlier row on a tie. So a line is not stretched by a word's reading into
    // another meter's form when it keeps to a meter as spoken. A line that no scan keeps to is
    // written as the main meter has it.
    void ChooseMeter(const ReadLine& words) {
        chosen_ = &unders_[0];
        if (scans_.size() == 1) {
            scans_.front().Scan(words, unders_[0]);
            return;
        }
        std::int64_t fewest = 0;
        std::int64_t most = 0;
        for (const ReadWord* word : words) {
            const auto [shortest, longest] = std::ranges::minmax_element(
                word->readings, {}, [](const WordReading& r) { return r.weights.size(); });
            fewest += std::ssize(shortest->weights);
            most += std::ssize(longest->weights);
        }
        bool mainScanned = false;
        std::int32_t least = -1;
        for (std::size_t m = 0; m < scans_.size(); ++m) {
            if (!scans_[m].MayFit(fewest, most)) {
                continue;
            }
            scans_[m].Scan(words, unders_[m]);
            mainScanned = mainScanned || m == 0;
            under_.assign(unders_[m].values.begin(), unders_[m].values.end());
            shown_.Read(under_, unders_[m].start);
            const auto number = static_cast<std::int32_t>(m) + 1;
            if (meter::LineMeter(rule_, shown_) != number) {
                continue;
            }
            const meter::Verdict verdict =
                meter::JudgeLine(rule_.Number(number), shown_, meter::Strictness::StressMaxima);
            const std::int32_t cost = verdict.offPlaces + verdict.TooMany() + verdict.TooFew();
            if (least < 0 || cost < least) {
                least = cost;
                chosen_ = &unders_[m];
            }
        }
        if (least < 0 && !mainScanned) {
            scans_.front().Scan(words, unders_[0]);
        }
    }

    void Write(std::int64_t number, const ScannedLine& line, const std::vector<int>& values,
               std::int32_t start, std::string& out) {
        stresses_.clear();
        for (int value : values) {
            stresses_ += static_cast<char>('0' + value);
        }
        SyllablesOf(line, syllables_);
        DigitViews(stresses_, stressViews_);
        DigitViews(line.junctures, junctures_);
        for (auto* row : {&syllables_, &stressViews_, &junctures_}) {
            row->insert(row->begin(), static_cast<std::size_t>(start) - 1, std::string_view());
        }
        // The texts are already what a row can hold: the line was cleaned as it was read.
        AppendRecord(
            out,
            RecordTexts{number, line.text, {syllables_, stressViews_, junctures_}, line.comment},
            TextRule::Keep);
    }

    std::vector<MeterScan> scans_;
    meter::Meters rule_;
    std::vector<LineUnder> unders_;
    LineUnder* chosen_ = nullptr;
    meter::ShownLine shown_;
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
    const int passes = options.meters.empty() ? 2 : 1;
    std::variant<std::vector<ScanMeter>, Refusal, Cancelled> chosen =
        options.meters.empty()
            ? FoundMeters(Pass(poem, poemWords, options, 0, passes), options.costs)
            : Imposed(options.meters);
    if (auto* refusal = std::get_if<Refusal>(&chosen)) {
        return std::move(*refusal);
    }
    if (std::holds_alternative<Cancelled>(chosen)) {
        return Cancelled{};
    }
    const std::vector<ScanMeter>& meters = std::get<std::vector<ScanMeter>>(chosen);
    std::string meterFile;
    for (const ScanMeter& meter : meters) {
        meterFile += meter.row + "\r\n";
    }
    sink.TakeMeter(meterFile);
    ScanSummary summary;
    summary.meterName = NameOf(meters);
    RecordWriter writer(meters, options.conventions);
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
