#include "analysis/Compare.h"

#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "scansion/MeterFile.h"
#include "scansion/Numbers.h"
#include "scansion/ScansionFile.h"
#include "scansion/TabFields.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace corvale::analysis {

namespace {

// One verse line of a scansion file, as far as scoring needs it.
struct Record {
    std::string number;
    QString text;  // the verse line, its runs of whitespace as one space
    std::vector<QString> syllables;
    std::vector<std::string_view> stresses;
    std::vector<std::string_view> junctures;
    std::string_view comment;
};

std::vector<std::string_view> ValuesOf(const Store& store, ValueRow row, std::int32_t j) {
    const Store::RowValues values = store.Values(row, j);
    std::vector<std::string_view> held;
    for (std::int32_t k = 1; k <= values.Count(); ++k) {
        held.push_back(values[k]);
    }
    return held;
}

// The file's records in order, numbered by their place in the file.
std::vector<Record> RecordsOf(const LoadedScansion& file) {
    std::vector<Record> records;
    for (std::int32_t j = 1; j <= file.records; ++j) {
        Record& record = records.emplace_back();
        record.number = std::to_string(j);
        record.text = Decode(file.store.LineText(j), file.encoding).simplified();
        for (const std::string_view syllable : ValuesOf(file.store, ValueRow::Syllables, j)) {
            record.syllables.push_back(Decode(syllable, file.encoding));
        }
        record.stresses = ValuesOf(file.store, ValueRow::Stresses, j);
        record.junctures = ValuesOf(file.store, ValueRow::Junctures, j);
        record.comment = file.store.Comment(j);
    }
    return records;
}

LoadedScansion FromBytes(std::string_view bytes) {
    LoadOptions options;
    options.mustBeginWithRecord = false;
    auto read = ReadScansionBytes(bytes, options);
    auto* file = std::get_if<LoadedScansion>(&read);
    return file != nullptr ? std::move(*file) : LoadedScansion();
}

std::string_view At(const std::vector<std::string_view>& values, std::size_t i) {
    return i < values.size() ? values[i] : std::string_view();
}

bool Stressed(std::string_view value) {
    return num::NumericValue(value) > 1;
}

// A word: its syllables first..first+count-1, and what it is matched by.
struct Word {
    QString key;
    std::size_t first = 0;
    std::size_t count = 0;
};

// What a word is matched by: its letters without accents or case; a word without letters ("&")
// by what it is written with.
QString KeyOf(const QString& written) {
    QString key;
    for (const QChar c : written.normalized(QString::NormalizationForm_D)) {
        if (c.isLetter()) {
            key += c.toCaseFolded();
        }
    }
    return key.isEmpty() ? written.trimmed() : key;
}

std::vector<Word> WordsOf(const Record& record) {
    std::vector<Word> words;
    QString written;
    std::size_t first = 0;
    for (std::size_t i = 0; i < record.syllables.size(); ++i) {
        written += record.syllables[i];
        const bool bound = i + 1 < record.syllables.size() &&
                           num::RoundHalfEven(num::NumericValue(At(record.junctures, i))) == 1;
        if (!bound) {
            words.push_back(Word{KeyOf(written), first, i + 1 - first});
            written.clear();
            first = i + 1;
        }
    }
    return words;
}

// For each reference word, the index of the other line's word matched to it: the longest run
// of equal keys in order.
std::vector<std::optional<std::size_t>> MatchWords(const std::vector<Word>& reference,
                                                   const std::vector<Word>& other) {
    const std::size_t n = reference.size();
    const std::size_t m = other.size();
    std::vector<std::uint32_t> longest((n + 1) * (m + 1), 0);
    const auto cell = [&](std::size_t i, std::size_t j) -> std::uint32_t& {
        return longest[i * (m + 1) + j];
    };
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            cell(i, j) = reference[i].key == other[j].key
                             ? cell(i + 1, j + 1) + 1
                             : std::max(cell(i + 1, j), cell(i, j + 1));
        }
    }
    std::vector<std::optional<std::size_t>> match(n);
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (reference[i].key == other[j].key) {
            match[i++] = j++;
        } else if (cell(i + 1, j) >= cell(i, j + 1)) {
            ++i;
        } else {
            ++j;
        }
    }
    return match;
}

// The readings a reference line offers: its stress row, then each "+"/"-" pattern of its
// comment's "other readings:" of the line's length.
std::vector<std::vector<bool>> Readings(const Record& record) {
    std::vector<std::vector<bool>> readings(1);
    for (std::size_t i = 0; i < record.syllables.size(); ++i) {
        readings[0].push_back(Stressed(At(record.stresses, i)));
    }
    constexpr std::string_view kOthers = "other readings:";
    const std::size_t at = record.comment.find(kOthers);
    if (at == std::string_view::npos) {
        return readings;
    }
    std::vector<bool> pattern;
    for (const char c : record.comment.substr(at + kOthers.size())) {
        if (c == '+' || c == '-') {
            pattern.push_back(c == '+');
            continue;
        }
        if (pattern.size() == record.syllables.size()) {
            readings.push_back(pattern);
        }
        pattern.clear();
    }
    if (pattern.size() == record.syllables.size()) {
        readings.push_back(pattern);
    }
    return readings;
}

bool IsScored(const Record& record) {
    return std::any_of(record.stresses.begin(), record.stresses.end(),
                       [](std::string_view value) { return !num::IsBlank(value); });
}

// Counts a longer word of the reference, matched by one of as many syllables.
void CountDivision(const Record& reference, const Word& word, const Record& other,
                   const Word& match, Tally& divisions) {
    if (word.count < 2) {
        return;
    }
    ++divisions.total;
    for (std::size_t k = 0; k < word.count; ++k) {
        if (KeyOf(reference.syllables[word.first + k]) != KeyOf(other.syllables[match.first + k])) {
            return;
        }
    }
    ++divisions.agreeing;
}

// Scores one reference line against the other line (none when the other file is shorter).
void ScoreLine(const Record& reference, const Record* other, Comparison& comparison) {
    const std::vector<Word> referenceWords = WordsOf(reference);
    const std::vector<Word> otherWords = other ? WordsOf(*other) : std::vector<Word>();
    const auto match = MatchWords(referenceWords, otherWords);
    // Per reference syllable, the other line's reading, when its word can be scored at all.
    std::vector<std::optional<bool>> otherReading(reference.syllables.size());
    for (std::size_t w = 0; w < referenceWords.size(); ++w) {
        const Word& word = referenceWords[w];
        ++comparison.words.total;
        if (!match[w] || otherWords[*match[w]].count != word.count) {
            continue;
        }
        ++comparison.words.agreeing;
        CountDivision(reference, word, *other, otherWords[*match[w]], comparison.divisions);
        for (std::size_t k = 0; k < word.count; ++k) {
            otherReading[word.first + k] =
                Stressed(At(other->stresses, otherWords[*match[w]].first + k));
        }
    }
    std::int64_t best = 0;
    for (const std::vector<bool>& reading : Readings(reference)) {
        std::int64_t agreeing = 0;
        for (std::size_t i = 0; i < reading.size(); ++i) {
            agreeing += otherReading[i] && *otherReading[i] == reading[i];
        }
        best = std::max(best, agreeing);
    }
    const auto syllables = std::ssize(reference.syllables);
    comparison.syllables.agreeing += best;
    comparison.syllables.total += syllables;
    ++comparison.lines.total;
    if (best == syllables) {
        ++comparison.lines.agreeing;
    } else {
        comparison.differingLines.push_back(reference.number);
    }
}

// The leading run of symbols of a meter file's first row, in capitals.
std::vector<std::string> SymbolsOf(std::string_view rest) {
    std::vector<std::string> symbols;
    while (!num::IsBlank(fields::FirstField(rest))) {
        std::string symbol(num::Trim(fields::FirstField(rest)));
        std::transform(symbol.begin(), symbol.end(), symbol.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        symbols.push_back(symbol);
        rest = fields::RemoveFirstField(rest);
    }
    return symbols;
}

std::string Percent(const Tally& tally) {
    if (tally.total == 0) {
        return "-";
    }
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%",
                  100.0 * static_cast<double>(tally.agreeing) / static_cast<double>(tally.total));
    return text;
}

std::string FigureLine(const char* label, const Tally& tally) {
    return std::string(label) + std::to_string(tally.agreeing) + " of " +
           std::to_string(tally.total) + " (" + Percent(tally) + ")\n";
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : separator) + item;
    }
    return text;
}

// "meter: the same (W S)" for files of one meter each; otherwise a line for each row, "meter 2:
// only in this file (W S W)".
std::string MeterLines(const Comparison& comparison) {
    if (comparison.meter == MeterVerdict::NotCompared) {
        return "meter: not compared (" + comparison.meterNote + ")\n";
    }
    const std::vector<std::vector<std::string>>& reference = comparison.referenceMeters;
    const std::vector<std::vector<std::string>>& other = comparison.otherMeters;
    const std::size_t rows = std::max(reference.size(), other.size());
    std::string lines;
    for (std::size_t i = 0; i < rows; ++i) {
        lines += rows == 1 ? std::string("meter: ") : "meter " + std::to_string(i + 1) + ": ";
        if (i >= other.size()) {
            lines += "only in the reference (" + Joined(reference[i], " ") + ")\n";
        } else if (i >= reference.size()) {
            lines += "only in this file (" + Joined(other[i], " ") + ")\n";
        } else if (reference[i] == other[i]) {
            lines += "the same (" + Joined(reference[i], " ") + ")\n";
        } else {
            lines += "different (reference " + Joined(reference[i], " ") + "; this file " +
                     Joined(other[i], " ") + ")\n";
        }
    }
    return lines;
}

std::vector<std::vector<std::string>> MetersOf(const std::vector<MeterFileRow>& rows) {
    std::vector<std::vector<std::string>> meters;
    for (const MeterFileRow& row : rows) {
        meters.push_back(SymbolsOf(row.line));
    }
    return meters;
}

void SetMeters(Comparison& comparison, const std::vector<MeterFileRow>& reference,
               const std::vector<MeterFileRow>& other) {
    comparison.referenceMeters = MetersOf(reference);
    comparison.otherMeters = MetersOf(other);
    comparison.meter = comparison.referenceMeters == comparison.otherMeters
                           ? MeterVerdict::Same
                           : MeterVerdict::Different;
}

}  // namespace

Comparison CompareScansions(std::string_view reference, std::string_view other) {
    return CompareScansions(FromBytes(reference), FromBytes(other));
}

Comparison CompareScansions(const LoadedScansion& reference, const LoadedScansion& other) {
    const std::vector<Record> referenceRecords = RecordsOf(reference);
    const std::vector<Record> otherRecords = RecordsOf(other);
    Comparison comparison;
    comparison.referenceLines = std::ssize(referenceRecords);
    comparison.otherLines = std::ssize(otherRecords);
    const std::size_t shorter = std::min(referenceRecords.size(), otherRecords.size());
    comparison.linesOfOtherText = std::max(comparison.referenceLines, comparison.otherLines) -
                                  static_cast<std::int64_t>(shorter);
    for (std::size_t i = 0; i < shorter; ++i) {
        comparison.linesOfOtherText += referenceRecords[i].text != otherRecords[i].text;
    }
    for (std::size_t i = 0; i < referenceRecords.size(); ++i) {
        if (!IsScored(referenceRecords[i])) {
            ++comparison.linesLeftOut;
            continue;
        }
        ScoreLine(referenceRecords[i], i < otherRecords.size() ? &otherRecords[i] : nullptr,
                  comparison);
    }
    return comparison;
}

void CompareMeters(Comparison& comparison, std::string_view referenceMeterFile,
                   std::string_view otherMeterFile) {
    SetMeters(comparison, ReadMeterRows(referenceMeterFile).meters,
              ReadMeterRows(otherMeterFile).meters);
}

std::variant<Comparison, Refusal> CompareFiles(const QString& reference, const QString& other) {
    const std::array<QString, 2> paths = {reference, other};
    std::array<LoadedScansion, 2> files;
    for (std::size_t i = 0; i < 2; ++i) {
        auto loaded = LoadScansionFile(paths[i]);
        const std::string name = PathBytes(paths[i]);
        if (const auto* refused = std::get_if<LoadRefusal>(&loaded)) {
            switch (refused->why) {
                case LoadRefusal::Why::NoSuchFile:
                    return Refusal{name + ": no such file.", 0};
                case LoadRefusal::Why::NotScansion:
                    return Refusal{name + ": holds no scansion records.", 0};
                case LoadRefusal::Why::InAnotherForm:
                case LoadRefusal::Why::NotTaken:
                case LoadRefusal::Why::BadRecord:
                    // What the reader says: a file too wide or too long is no file of no records.
                    return Refusal{name + ": " + refused->refusal.message, refused->refusal.row};
                case LoadRefusal::Why::NotAFile:
                case LoadRefusal::Why::TooLarge:
                case LoadRefusal::Why::Unreadable:
                    break;
            }
            return Refusal{name + ": cannot be read: " + refused->refusal.message + ".", 0};
        }
        files[i] = std::move(std::get<LoadedScansion>(loaded));
        if (files[i].records == 0) {
            return Refusal{name + ": holds no scansion records.", 0};
        }
    }
    Comparison comparison = CompareScansions(files[0], files[1]);
    for (std::size_t i = 0; i < 2; ++i) {
        if (!files[i].meter.IsOwnOf(paths[i]) || !files[i].meter.row) {
            comparison.meterNote =
                "no meter file of its own: " + OwnMeterFilePath(paths[i]).toStdString();
            return comparison;
        }
    }
    SetMeters(comparison, files[0].meter.rows.meters, files[1].meter.rows.meters);
    return comparison;
}

std::string ComparisonReport(const Comparison& comparison) {
    std::string report = FigureLine("words with the same syllable count: ", comparison.words) +
                         FigureLine("longer words divided alike: ", comparison.divisions) +
                         FigureLine("syllables with the same stress: ", comparison.syllables) +
                         FigureLine("lines that agree throughout: ", comparison.lines) +
                         MeterLines(comparison);
    if (!comparison.differingLines.empty()) {
        report += "lines that differ: " + Joined(comparison.differingLines, ", ") + "\n";
    }
    if (comparison.linesLeftOut > 0) {
        report += "reference lines left out (empty stress row): " +
                  std::to_string(comparison.linesLeftOut) + "\n";
    }
    if (comparison.referenceLines != comparison.otherLines) {
        report += "note: the reference has " + std::to_string(comparison.referenceLines) +
                  " verse lines, the other file " + std::to_string(comparison.otherLines) + "\n";
    }
    return report;
}

}  // namespace corvale::analysis
