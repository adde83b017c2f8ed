#include "firstpass/Agreement.h"

#include "firstpass/FirstPass.h"
#include "firstpass/MeterChoice.h"
#include "firstpass/PoemWords.h"
#include "firstpass/ReadingChoice.h"
#include "firstpass/Readings.h"
#include "firstpass/Stress.h"
#include "meter/MeterCheck.h"

#include <algorithm>
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
    std::size_t meter = 0;  // the meter it is held up against, among the scorer's
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

// A meter lines are held up against, with what the pass weighs their readings by under it.
struct UnderMeter {
    explicit UnderMeter(const std::vector<bool>& strong)
        : strong(strong), forms(FormMeters(LineForms(strong))), chooser(LineForms(strong)) {}
    std::vector<bool> strong;
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

}  // namespace

class Agreement::Scorer {
public:
    Scorer(const std::vector<CorrectedPoem>& poems, const Conventions& start);

    std::int64_t Lines() const { return std::ssize(lines_); }
    std::size_t Syllables() const { return syllables_; }
    // The lines all of whose syllables agree.
    std::int64_t LinesAgreeing(const std::vector<std::uint8_t>& agree) const;
    // Whether each syllable agrees under the conventions, one byte a syllable.
    void Agreement(const Conventions& conventions, std::vector<std::uint8_t>& agree);

private:
    void Read(const CorrectedPoem& poem, const Conventions& start);
    void Add(const CorrectedLine& corrected, const ReadLine& read, std::size_t poem,
             std::size_t meter);
    std::size_t MeterOf(const std::vector<bool>& strong);
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
    std::size_t BestFormOf(UnderMeter& meter);

    std::vector<PoemMarks> poems_;  // each poem's marks
    std::vector<UnderMeter> meters_;
    std::vector<Line> lines_;
    std::size_t syllables_ = 0;
    // Room reused from line to line.
    std::vector<Weight> weights_;
    std::vector<std::uint8_t> right_;
    std::vector<std::uint8_t> before_;
    meter::ShownLine shown_;
    std::vector<std::size_t> spoken_;
};

Agreement::Scorer::Scorer(const std::vector<CorrectedPoem>& poems, const Conventions& start) {
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

void Agreement::Scorer::Read(const CorrectedPoem& corrected, const Conventions& start) {
    VerseLines texts;
    for (const CorrectedLine& line : corrected.lines) {
        texts.push_back(line.text);
    }
    // A line is held up against its own meter, else the poem's.
    const std::size_t poemMeter =
        MeterOf(corrected.meter.empty() ? MeterOfStresses(corrected.lines) : corrected.meter);
    PoemWords words(poems_.emplace_back(MarksOf(texts)), start);
    for (std::size_t first = 0; first < corrected.lines.size(); first += kLinesAtATime) {
        const std::size_t end = std::min(first + kLinesAtATime, corrected.lines.size());
        std::vector<QString> batch;
        for (std::size_t j = first; j < end; ++j) {
            batch.push_back(Cleaned(corrected.lines[j].text));
        }
        const std::vector<ReadLine> read = words.Read(batch);
        for (std::size_t j = first; j < end; ++j) {
            const CorrectedLine& line = corrected.lines[j];
            Add(line, read[j - first], poems_.size() - 1,
                line.meter.empty() ? poemMeter : MeterOf(line.meter));
        }
    }
}

std::size_t Agreement::Scorer::MeterOf(const std::vector<bool>& strong) {
    const auto found = std::ranges::find(meters_, strong, &UnderMeter::strong);
    if (found != meters_.end()) {
        return static_cast<std::size_t>(found - meters_.begin());
    }
    meters_.emplace_back(strong);
    return meters_.size() - 1;
}

void Agreement::Scorer::Add(const CorrectedLine& corrected, const ReadLine& read, std::size_t poem,
                            std::size_t meter) {
    Line& line = lines_.emplace_back();
    line.poem = poem;
    line.meter = meter;
    // A syllable without a stress of its own reads as unstressed, as the window reads it.
    line.stressed = corrected.stressed;
    line.stressed.resize(corrected.syllables.size(), false);
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

const std::vector<std::size_t>& Agreement::Scorer::Choices(Line& line,
                                                           const Conventions& conventions,
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
    std::vector<std::size_t> chosen = meters_[line.meter].chooser.Choose(read);
    for (std::size_t w = 0; w < chosen.size(); ++w) {
        chosen[w] = index[w][chosen[w]];
    }
    return line.choices.emplace_back(key, std::move(chosen)).second;
}

std::optional<std::pair<std::size_t, std::size_t>> Agreement::Scorer::Span(const Line& line,
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

void Agreement::Scorer::Place(const Line& line, const LineWord& word, const WordReading& chosen,
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

std::size_t Agreement::Scorer::BestFormOf(UnderMeter& meter) {
    const std::string key(AsBytes(before_));
    const auto found = meter.bestForms.find(key);
    if (found != meter.bestForms.end()) {
        return found->second;
    }
    shown_.Read(before_);
    return meter.bestForms.emplace(key, BestForm(meter.forms, shown_)).first->second;
}

void Agreement::Scorer::Score(Line& line, const Conventions& conventions, std::uint8_t offered,
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
    UnderMeter& meter = meters_[line.meter];
    const std::vector<int> values =
        ValuesUnderMeter(weights_, meter.forms[BestFormOf(meter)], conventions);
    for (std::size_t k = 0; k < count; ++k) {
        agree[line.first + k] = right_[k] != 0 && (values[k] > 1) == line.stressed[k];
    }
}

void Agreement::Scorer::Agreement(const Conventions& conventions,
                                  std::vector<std::uint8_t>& agree) {
    agree.assign(syllables_, 0);
    std::vector<std::uint8_t> offered;
    for (const PoemMarks& marks : poems_) {
        offered.push_back(RulesOffered(conventions, marks));
    }
    for (Line& line : lines_) {
        Score(line, conventions, offered[line.poem], agree);
    }
}

std::int64_t Agreement::Scorer::LinesAgreeing(const std::vector<std::uint8_t>& agree) const {
    std::int64_t agreeing = 0;
    for (const Line& line : lines_) {
        const auto first = agree.begin() + static_cast<std::ptrdiff_t>(line.first);
        agreeing += std::all_of(first, first + std::ssize(line.stressed),
                                [](std::uint8_t a) { return a != 0; });
    }
    return agreeing;
}

Agreement::Agreement(const std::vector<CorrectedPoem>& poems, const Conventions& start)
    : scorer_(std::make_unique<Scorer>(poems, start)) {}

Agreement::~Agreement() = default;

std::int64_t Agreement::Lines() const {
    return scorer_->Lines();
}

std::size_t Agreement::Syllables() const {
    return scorer_->Syllables();
}

void Agreement::Of(const Conventions& conventions, std::vector<std::uint8_t>& agree) {
    scorer_->Agreement(conventions, agree);
}

std::int64_t Agreement::LinesAgreeing(const std::vector<std::uint8_t>& agree) const {
    return scorer_->LinesAgreeing(agree);
}

}  // namespace corvale::firstpass
