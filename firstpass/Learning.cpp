#include "firstpass/Learning.h"

#include "firstpass/FirstPass.h"
#include "firstpass/MeterChoice.h"
#include "firstpass/PoemWords.h"
#include "firstpass/ReadingChoice.h"
#include "firstpass/Readings.h"
#include "firstpass/Stress.h"
#include "meter/MeterCheck.h"
#include "scansion/Numbers.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>
#include <utility>

namespace corvale::firstpass {
namespace {

// Lines read at a time, as a scan reads them.
constexpr std::size_t kLinesAtATime = 256;

// The line's text as a scan takes it: control characters as spaces, trimmed.
QString Cleaned(const std::string& text) {
    QString cleaned = QString::fromStdString(text);
    for (QChar& c : cleaned) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f)) {
            c = u' ';
        }
    }
    return cleaned.trimmed();
}

// What words are matched by: their letters and digits, case folded.
QString LettersOf(const QString& text) {
    QString letters;
    for (const QChar c : text) {
        if (c.isLetterOrNumber()) {
            letters += c.toCaseFolded();
        }
    }
    return letters;
}

// A word of a corrected line as the first pass reads it.
struct LineWord {
    std::vector<WordReading> readings;
    std::optional<FunctionWord> function;
    std::int32_t letterBegin = 0;  // its letters among the line's, as the pass reads them
    std::int32_t letterEnd = 0;
};

// A corrected line with what the pass reads in it.
struct Line {
    std::size_t poem = 0;
    std::vector<LineWord> words;
    std::vector<bool> stressed;              // the reader's, a syllable each
    std::vector<std::int32_t> syllableEnds;  // the reader's letters up to each syllable's end
    std::vector<std::int32_t> alike;         // letters the reader's and the pass's agree on, up
                                             // to each letter (a running count from 0)
    std::size_t first = 0;                   // its first syllable among all the learner's
    std::uint8_t rules = 0;                  // the rules offering its words' readings
    std::uint32_t classes = 0;               // the classes of its function words, a bit each
    bool weighsReadings = false;             // a word has more than one reading
    // The readings the pass chooses, by what the choice depends on (ChoiceKey).
    std::vector<std::pair<std::uint64_t, std::vector<std::size_t>>> choices;
};

struct Poem {
    explicit Poem(const std::vector<bool>& strong)
        : forms(FormMeters(LineForms(strong))), chooser(LineForms(strong)) {}
    PoemMarks marks;
    std::vector<meter::Meter> forms;
    ReadingChooser chooser;
    std::unordered_map<std::string, std::size_t> bestForms;  // by values before the meter
};

// The weight syllable s of a reading takes under the conventions.
Weight WeightUnder(const LineWord& word, const WordReading& reading, std::size_t s,
                   const Conventions& conventions) {
    const bool byClass = s < 32 && (reading.byClass >> s & 1U) != 0 && word.function;
    return byClass ? FunctionWeight(*word.function, conventions) : reading.weights[s];
}

std::vector<bool> MeterOfStresses(const std::vector<CorrectedLine>& lines) {
    std::vector<std::vector<std::uint8_t>> values;
    for (const CorrectedLine& line : lines) {
        std::vector<std::uint8_t>& row = values.emplace_back();
        for (const bool stressed : line.stressed) {
            row.push_back(stressed ? 3 : 1);
        }
    }
    return MeterCandidates()[ChooseMeter(values)].strong;
}

class Learner {
public:
    Learner(const std::vector<CorrectedPoem>& poems, const Conventions& start);

    std::int64_t Lines() const { return std::ssize(lines_); }
    std::size_t Syllables() const { return syllables_; }
    // The lines all of whose syllables agree.
    std::int64_t LinesAgreeing(const std::vector<std::uint8_t>& agree) const;
    // Whether each syllable agrees under the conventions, one byte a syllable.
    void Agreement(const Conventions& conventions, std::vector<std::uint8_t>& agree);

private:
    void Read(const CorrectedPoem& poem, const Conventions& start);
    void Add(const CorrectedLine& corrected, const ReadLine& read, std::size_t poem);
    void Score(Line& line, const Conventions& conventions, std::uint8_t offered,
               std::vector<std::uint8_t>& agree);
    const std::vector<std::size_t>& Choices(Line& line, const Conventions& conventions,
                                            std::uint8_t offered);
    // Weighs the reader's syllables that hold exactly the letters begin..end with the word's
    // chosen reading, when it has as many syllables, or else with its reading of as many.
    void Place(const Line& line, const LineWord& word, const WordReading& chosen,
               std::int32_t begin, const Conventions& conventions);
    std::optional<std::pair<std::size_t, std::size_t>> Span(const Line& line, std::int32_t begin,
                                                            std::int32_t end) const;
    std::size_t BestFormOf(Poem& poem);

    std::vector<Poem> poems_;
    std::vector<Line> lines_;
    std::size_t syllables_ = 0;
    // Room reused from line to line.
    std::vector<Weight> weights_;
    std::vector<std::uint8_t> right_;
    std::vector<std::uint8_t> before_;
    meter::ShownLine shown_;
    std::vector<std::size_t> spoken_;
};

Learner::Learner(const std::vector<CorrectedPoem>& poems, const Conventions& start) {
    // Every reading is read, whatever the conventions offer; each scoring takes those offered.
    Conventions readAll = start;
    for (const ConventionInfo& info : ConventionTable()) {
        if (info.values.starts_with("offered")) {
            readAll.Set(info.convention, kInAnyVerse);
        }
    }
    for (const CorrectedPoem& poem : poems) {
        if (!poem.lines.empty()) {
            Read(poem, readAll);
        }
    }
}

void Learner::Read(const CorrectedPoem& corrected, const Conventions& start) {
    VerseLines texts;
    for (const CorrectedLine& line : corrected.lines) {
        texts.push_back(line.text);
    }
    Poem& poem = poems_.emplace_back(corrected.meter.empty() ? MeterOfStresses(corrected.lines)
                                                             : corrected.meter);
    poem.marks = MarksOf(texts);
    PoemWords words(poem.marks, start);
    for (std::size_t first = 0; first < corrected.lines.size(); first += kLinesAtATime) {
        const std::size_t end = std::min(first + kLinesAtATime, corrected.lines.size());
        std::vector<QString> batch;
        for (std::size_t j = first; j < end; ++j) {
            batch.push_back(Cleaned(corrected.lines[j].text));
        }
        const std::vector<ReadLine> read = words.Read(batch);
        for (std::size_t j = first; j < end; ++j) {
            Add(corrected.lines[j], read[j - first], poems_.size() - 1);
        }
    }
}

void Learner::Add(const CorrectedLine& corrected, const ReadLine& read, std::size_t poem) {
    Line& line = lines_.emplace_back();
    line.poem = poem;
    line.stressed = corrected.stressed;
    line.first = syllables_;
    syllables_ += corrected.syllables.size();
    QString theirs;
    for (const std::string& syllable : corrected.syllables) {
        theirs += LettersOf(QString::fromStdString(syllable));
        line.syllableEnds.push_back(static_cast<std::int32_t>(theirs.size()));
    }
    QString ours;
    for (const ReadWord* readWord : read) {
        LineWord& word = line.words.emplace_back();
        word.readings = readWord->readings;
        word.function = readWord->function;
        word.letterBegin = static_cast<std::int32_t>(ours.size());
        ours += LettersOf(readWord->written);
        word.letterEnd = static_cast<std::int32_t>(ours.size());
        line.weighsReadings = line.weighsReadings || word.readings.size() > 1;
        for (const WordReading& reading : word.readings) {
            line.rules |= reading.rules;
        }
        if (word.function) {
            line.classes |= 1U << static_cast<unsigned>(word.function->convention);
        }
    }
    line.alike.assign(1, 0);
    for (qsizetype i = 0; i < ours.size(); ++i) {
        line.alike.push_back(line.alike.back() + (i < theirs.size() && ours[i] == theirs[i]));
    }
}

// What the readings a line's words take depend on: the rules offered that offer its words'
// readings, and the levels of its function words' classes.
std::uint64_t ChoiceKey(const Line& line, const Conventions& conventions, std::uint8_t offered) {
    std::uint64_t key = offered & line.rules;
    for (std::size_t c = 0; c < kConventionCount; ++c) {
        if ((line.classes >> c & 1U) != 0) {
            key |= static_cast<std::uint64_t>(conventions[static_cast<Convention>(c)])
                   << (8 + 3 * c);
        }
    }
    return key;
}

const std::vector<std::size_t>& Learner::Choices(Line& line, const Conventions& conventions,
                                                 std::uint8_t offered) {
    if (!line.weighsReadings) {
        spoken_.assign(line.words.size(), 0);
        return spoken_;
    }
    const std::uint64_t key = ChoiceKey(line, conventions, offered);
    for (const auto& [known, choices] : line.choices) {
        if (known == key) {
            return choices;
        }
    }
    // The words as the pass would read them under the conventions: the readings offered,
    // weighed by them.
    std::vector<ReadWord> words(line.words.size());
    std::vector<std::vector<std::size_t>> index(line.words.size());
    for (std::size_t w = 0; w < line.words.size(); ++w) {
        const LineWord& word = line.words[w];
        for (std::size_t r = 0; r < word.readings.size(); ++r) {
            const WordReading& reading = word.readings[r];
            if (r > 0 && reading.rules != 0 && (reading.rules & offered) == 0) {
                continue;
            }
            WordReading& taken = words[w].readings.emplace_back(reading);
            for (std::size_t s = 0; s < taken.weights.size(); ++s) {
                taken.weights[s] = WeightUnder(word, reading, s, conventions);
            }
            index[w].push_back(r);
        }
    }
    ReadLine read;
    for (const ReadWord& word : words) {
        read.push_back(&word);
    }
    std::vector<std::size_t> chosen = poems_[line.poem].chooser.Choose(read);
    for (std::size_t w = 0; w < chosen.size(); ++w) {
        chosen[w] = index[w][chosen[w]];
    }
    return line.choices.emplace_back(key, std::move(chosen)).second;
}

std::optional<std::pair<std::size_t, std::size_t>> Learner::Span(const Line& line,
                                                                 std::int32_t begin,
                                                                 std::int32_t end) const {
    const std::vector<std::int32_t>& ends = line.syllableEnds;
    if (end <= begin || end >= std::ssize(line.alike) ||
        line.alike[static_cast<std::size_t>(end)] - line.alike[static_cast<std::size_t>(begin)] !=
            end - begin) {
        return std::nullopt;
    }
    // The first syllable with letters after `begin` must begin there.
    std::size_t k = 0;
    while (k < ends.size() && ends[k] <= begin) {
        ++k;
    }
    if (k == ends.size() || (k > 0 ? ends[k - 1] : 0) != begin) {
        return std::nullopt;
    }
    const std::size_t first = k;
    while (k < ends.size() && ends[k] < end) {
        ++k;
    }
    if (k == ends.size() || ends[k] != end) {
        return std::nullopt;
    }
    return std::pair(first, k);
}

void Learner::Place(const Line& line, const LineWord& word, const WordReading& chosen,
                    std::int32_t begin, const Conventions& conventions) {
    const auto span = Span(line, begin, word.letterEnd);
    if (!span) {
        return;
    }
    const std::size_t count = span->second - span->first + 1;
    const bool right = chosen.weights.size() == count;
    const WordReading* taken = &chosen;
    for (const WordReading& reading : word.readings) {
        if (!right && reading.weights.size() == count) {
            taken = &reading;
        }
    }
    for (std::size_t s = 0; s < taken->weights.size(); ++s) {
        const Weight weight = WeightUnder(word, *taken, s, conventions);
        Weight& at = weights_[span->first + std::min(s, count - 1)];
        at = s < count ? weight : std::max(at, weight);
    }
    std::fill(right_.begin() + static_cast<std::ptrdiff_t>(span->first),
              right_.begin() + static_cast<std::ptrdiff_t>(span->second) + 1, right ? 1 : 0);
}

std::size_t Learner::BestFormOf(Poem& poem) {
    const std::string key(AsBytes(before_));
    const auto found = poem.bestForms.find(key);
    if (found != poem.bestForms.end()) {
        return found->second;
    }
    shown_.Read(before_);
    return poem.bestForms.emplace(key, BestForm(poem.forms, shown_)).first->second;
}

void Learner::Score(Line& line, const Conventions& conventions, std::uint8_t offered,
                    std::vector<std::uint8_t>& agree) {
    const std::vector<std::size_t>& choices = Choices(line, conventions, offered);
    const std::size_t count = line.stressed.size();
    weights_.assign(count, Weight::Unstressed);
    right_.assign(count, 0);
    std::int32_t begin = -1;
    for (std::size_t w = 0; w < line.words.size(); ++w) {
        const LineWord& word = line.words[w];
        const WordReading& chosen = word.readings[choices[w]];
        begin = begin < 0 ? word.letterBegin : begin;
        if (chosen.weights.empty()) {
            continue;  // it joins the next word's first syllable
        }
        Place(line, word, chosen, begin, conventions);
        begin = -1;
    }
    before_.clear();
    for (const Weight weight : weights_) {
        before_.push_back(static_cast<std::uint8_t>(ValueBeforeMeter(weight)));
    }
    Poem& poem = poems_[line.poem];
    const std::vector<int> values =
        ValuesUnderMeter(weights_, poem.forms[BestFormOf(poem)], conventions);
    for (std::size_t k = 0; k < count; ++k) {
        agree[line.first + k] = right_[k] != 0 && (values[k] > 1) == line.stressed[k];
    }
}

void Learner::Agreement(const Conventions& conventions, std::vector<std::uint8_t>& agree) {
    agree.assign(syllables_, 0);
    std::vector<std::uint8_t> offered;
    for (const Poem& poem : poems_) {
        offered.push_back(RulesOffered(conventions, poem.marks));
    }
    for (Line& line : lines_) {
        Score(line, conventions, offered[line.poem], agree);
    }
}

std::int64_t Learner::LinesAgreeing(const std::vector<std::uint8_t>& agree) const {
    std::int64_t agreeing = 0;
    for (const Line& line : lines_) {
        const auto first = agree.begin() + static_cast<std::ptrdiff_t>(line.first);
        agreeing += std::all_of(first, first + std::ssize(line.stressed),
                                [](std::uint8_t a) { return a != 0; });
    }
    return agreeing;
}

std::int64_t Sum(const std::vector<std::uint8_t>& agree) {
    return std::accumulate(agree.begin(), agree.end(), std::int64_t{0});
}

// The prior odds against a convention leaving the value it starts from, and against each step
// past the first, as logarithms (about 45 to 1, and 2 to 1 more a step): the conventions a
// reader starts from hold for most readers, so a move needs more than a chance agreement to be
// taken, and a move to a far value more than one to a near one.
constexpr double kAgainstAMove = 3.8;
constexpr double kAgainstAFurtherStep = 0.6;

// How well conventions that leave `wrong` of `syllables` corrected syllables disagreeing explain
// them: the log-likelihood of the syllables when each disagrees by chance at the rate the
// conventions leave (smoothed, so that a perfect fit is not infinitely likely). The fewer
// syllables remain unexplained, the more an explained one is worth: a reader the conventions
// fit exactly teaches with a single syllable what a reader they fit loosely does not.
double Evidence(std::int64_t wrong, std::int64_t syllables) {
    const double rate = (static_cast<double>(wrong) + 0.5) / (static_cast<double>(syllables) + 1.0);
    return static_cast<double>(syllables - wrong) * std::log1p(-rate) +
           static_cast<double>(wrong) * std::log(rate);
}

// The prior against the conventions' steps from `start`, as a logarithm.
double Against(const Conventions& conventions, const Conventions& start) {
    double against = 0;
    for (std::size_t c = 0; c < kConventionCount; ++c) {
        const auto convention = static_cast<Convention>(c);
        const int steps = std::abs(conventions[convention] - start[convention]);
        against += steps == 0 ? 0 : kAgainstAMove + kAgainstAFurtherStep * (steps - 1);
    }
    return against;
}

// Conventions with how well they fit.
struct Fit {
    Conventions conventions;
    std::vector<std::uint8_t> agree;
    std::int64_t lines = 0;  // corrected lines agreeing throughout
    double against = 0;      // the prior against their steps from the start
    double worth = 0;        // the evidence for them, less that prior
};

Fit FitOf(Learner& learner, const Conventions& conventions, const Conventions& start) {
    Fit fit{conventions, {}, 0, Against(conventions, start), 0};
    learner.Agreement(conventions, fit.agree);
    fit.lines = learner.LinesAgreeing(fit.agree);
    const auto syllables = static_cast<std::int64_t>(fit.agree.size());
    fit.worth = Evidence(syllables - Sum(fit.agree), syllables) - fit.against;
    return fit;
}

// Whether a move from `current` to `tried` is one to take: it fits better and, unless it only
// steps back towards where the search started, it makes more lines agree throughout (the
// syllables of one line go wrong together: a word read one syllable off moves them all, so a
// gain within one line that stays wrong is no evidence of a convention) and wins more than twice
// the syllables it loses.
bool Better(const Fit& tried, const Fit& current) {
    if (tried.worth <= current.worth) {
        return false;
    }
    if (tried.against < current.against) {
        return true;
    }
    std::int64_t wins = 0;
    std::int64_t losses = 0;
    for (std::size_t s = 0; s < tried.agree.size(); ++s) {
        wins += tried.agree[s] > current.agree[s];
        losses += tried.agree[s] < current.agree[s];
    }
    return tried.lines > current.lines && wins > 2 * losses;
}

// The move of one convention to another value that fits best among those to take; on a tie the
// first in the table.
std::optional<Fit> BestMove(Learner& learner, const Fit& current, const Conventions& start) {
    std::optional<Fit> best;
    for (const ConventionInfo& info : ConventionTable()) {
        for (int value = info.least; value <= info.most; ++value) {
            if (value == current.conventions[info.convention]) {
                continue;
            }
            Conventions moved = current.conventions;
            moved.Set(info.convention, value);
            Fit tried = FitOf(learner, moved, start);
            if (Better(tried, current) && (!best || tried.worth > best->worth)) {
                best = std::move(tried);
            }
        }
    }
    return best;
}

}  // namespace

std::vector<bool> StrongPlaces(const MeterFileRow& row) {
    const meter::Meter meter(row.line, row.symbols);
    std::vector<bool> strong;
    for (std::int32_t place = 1; place <= meter.Places(); ++place) {
        strong.push_back(meter.IsStrong(place));
    }
    return strong;
}

CorrectedPoem CorrectedPoemOf(const Store& store, Encoding encoding, std::int32_t first,
                              std::int32_t last, std::vector<bool> meter) {
    CorrectedPoem poem{{}, std::move(meter)};
    for (std::int32_t j = std::max(first, 1); j <= std::min(last, store.NumberOfLines()); ++j) {
        const Store::RowValues syllables = store.Values(ValueRow::Syllables, j);
        const Store::RowValues stresses = store.Values(ValueRow::Stresses, j);
        if (syllables.Count() == 0 || stresses.Count() == 0) {
            continue;
        }
        CorrectedLine line{Decode(store.LineText(j), encoding).toStdString(), {}, {}};
        for (std::int32_t k = 1; k <= syllables.Count(); ++k) {
            line.syllables.push_back(Decode(syllables[k], encoding).toStdString());
            line.stressed.push_back(k <= stresses.Count() && meter::ValueOf(stresses[k]) > 1.0);
        }
        if (std::none_of(line.syllables.begin(), line.syllables.end(),
                         [](const std::string& s) { return num::IsBlank(s); })) {
            poem.lines.push_back(std::move(line));
        }
    }
    return poem;
}

CorrectedPoem CorrectedPoemOf(const LoadedScansion& file) {
    return CorrectedPoemOf(file.store, file.encoding, 1, file.records,
                           file.meter.row ? StrongPlaces(*file.meter.row) : std::vector<bool>());
}

Learned Learn(const std::vector<CorrectedPoem>& poems, const Conventions& start) {
    Learned learned{start};
    for (const CorrectedPoem& poem : poems) {
        learned.lines += std::ssize(poem.lines);
    }
    if (!learned.Enough()) {
        return learned;
    }
    StartPronunciationEngine();
    Learner learner(poems, start);
    learned.syllables = static_cast<std::int64_t>(learner.Syllables());
    Fit fit = FitOf(learner, start, start);
    learned.agreeingBefore = Sum(fit.agree);
    // Each move fits better than the last, so the search ends; the bound is a safeguard.
    for (std::size_t step = 0; step < 8 * kConventionCount; ++step) {
        std::optional<Fit> next = BestMove(learner, fit, start);
        if (!next) {
            break;
        }
        fit = std::move(*next);
    }
    learned.conventions = fit.conventions;
    learned.agreeingAfter = Sum(fit.agree);
    return learned;
}

}  // namespace corvale::firstpass
