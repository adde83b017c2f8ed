#include "analysis/Profile.h"

#include "scansion/Numbers.h"
#include "scansion/TabFields.h"

#include <algorithm>
#include <iterator>

namespace corvale::analysis {

namespace {

constexpr double kSpoken = 3.0;  // stress as spoken
constexpr double kWordBoundary = 2.0;
constexpr double kPhraseBoundary = 3.0;

constexpr std::array<meter::Strictness, 2> kStrictnesses = {meter::Strictness::StressMaxima,
                                                            meter::Strictness::EveryStress};

double JunctureAt(const Store::RowValues& junctures, std::int32_t column) {
    return column <= junctures.Count() ? meter::ValueOf(junctures[column]) : 0.0;
}

bool Stressed(double stress) {
    return stress > 1.0;
}

const meter::ShownLine::Syllable* SyllableIn(const meter::ShownLine& line, std::int32_t column) {
    const auto shown = line.Syllables();
    const auto found = std::lower_bound(shown.begin(), shown.end(), column,
                                        [](const meter::ShownLine::Syllable& syllable,
                                           std::int32_t c) { return syllable.column < c; });
    return found != shown.end() && found->column == column ? &*found : nullptr;
}

void Grow(std::vector<std::int64_t>& counts, std::size_t size) {
    if (counts.size() < size) {
        counts.resize(size, 0);
    }
}

}  // namespace

ProfileCounts& ProfileCounts::operator+=(const ProfileCounts& other) {
    for (std::size_t i = 0; i < places.size() && i < other.places.size(); ++i) {
        PlaceCounts& place = places[i];
        const PlaceCounts& more = other.places[i];
        place.lines += more.lines;
        for (std::size_t f = 0; f < kPlaceFigures; ++f) {
            place.figures[f] += more.figures[f];
        }
        for (std::size_t s = 0; s < place.flagged.size(); ++s) {
            place.flagged[s] += more.flagged[s];
        }
    }
    verseLines += other.verseLines;
    profiled += other.profiled;
    for (std::size_t s = 0; s < fitting.size(); ++s) {
        fitting[s] += other.fitting[s];
    }
    feminine += other.feminine;
    runOn += other.runOn;
    Grow(syllablesPerLine, other.syllablesPerLine.size());
    for (std::size_t n = 0; n < other.syllablesPerLine.size(); ++n) {
        syllablesPerLine[n] += other.syllablesPerLine[n];
    }
    return *this;
}

bool IsProfiled(const meter::Meter& meter, const meter::ShownLine& line) {
    const auto shown = line.Syllables();
    const auto places = static_cast<std::size_t>(meter.Places());
    return !meter.IsEmpty() && (shown.size() == places ||
                                (shown.size() == places + 1 && !Stressed(shown.back().stress)));
}

bool DepartsAt(const meter::Meter& meter, const meter::ShownLine& line, std::int32_t place) {
    const meter::ShownLine::Syllable* syllable = SyllableIn(line, place);
    return syllable != nullptr && place <= meter.Places() &&
           Stressed(syllable->stress) != meter.IsStrong(place);
}

std::optional<std::int32_t> NextDeparture(const Store& store, const meter::Meter& meter,
                                          std::int32_t place, std::int32_t after) {
    return NextDeparture(store, meter::Meters({meter}), 1, place, after);
}

std::optional<std::int32_t> NextDeparture(const Store& store, const meter::Meters& meters,
                                          std::int32_t number, std::int32_t place,
                                          std::int32_t after) {
    if (number < 1 || number > meters.Count()) {
        return std::nullopt;
    }
    const meter::Meter& meter = meters.Number(number);
    if (place < 1 || place > meter.Places()) {
        return std::nullopt;
    }
    meter::ShownLine line;
    for (std::int32_t j = std::max(after, 0) + 1; j <= store.NumberOfLines(); ++j) {
        line.Read(store, j);
        if (IsProfiled(meter, line) && DepartsAt(meter, line, place) &&
            meter::LineMeter(meters, line) == number) {
            return j;
        }
    }
    return std::nullopt;
}

void Profile::Count(const Store& store, const meter::Meter& meter) {
    Count(store, meter::Meters({meter}), 1);
}

void Profile::Count(const Store& store, const meter::Meters& meters, std::int32_t number) {
    meters_ = meters;
    number_ = number;
    meter_ = meters_.Number(number_);
    counts_ = ProfileCounts();
    counts_.places.resize(static_cast<std::size_t>(meter_.Places()));
    otherLines_.clear();
    for (std::int32_t j = 1; j <= store.NumberOfLines(); ++j) {
        Take(store, j, 1);
    }
    counted_ = true;
}

void Profile::LineChanging(const Store& store, std::int32_t j) {
    if (counted_) {
        Take(store, j, -1);
    }
}

void Profile::LineChanged(const Store& store, std::int32_t j) {
    if (counted_) {
        Take(store, j, 1);
    }
}

void Profile::Loaded(const Store&) {
    counted_ = false;
    counts_ = ProfileCounts();
    otherLines_.clear();
}

void Profile::Take(const Store& store, std::int32_t j, std::int64_t sign) {
    line_.Read(store, j);
    if (meter::LineMeter(meters_, line_) != number_) {
        return;
    }
    const auto shown = line_.Syllables();
    counts_.verseLines += sign;
    Grow(counts_.syllablesPerLine, shown.size() + 1);
    counts_.syllablesPerLine[shown.size()] += sign;
    // A line taken away may have been the only one of its length.
    while (!counts_.syllablesPerLine.empty() && counts_.syllablesPerLine.back() == 0) {
        counts_.syllablesPerLine.pop_back();
    }
    const Store::RowValues junctures = store.Values(ValueRow::Junctures, j);
    if (!shown.empty() && JunctureAt(junctures, shown.back().column) < kPhraseBoundary) {
        counts_.runOn += sign;
    }
    if (!IsProfiled(meter_, line_)) {
        // A fresh count appends in ascending order; a commit moves at most the lines after j.
        const auto at = std::lower_bound(otherLines_.begin(), otherLines_.end(), j);
        if (sign > 0) {
            otherLines_.insert(at, j);
        } else if (at != otherLines_.end() && *at == j) {
            otherLines_.erase(at);
        }
        return;
    }
    TakeProfiled(junctures, sign);
}

void Profile::TakeProfiled(const Store::RowValues& junctures, std::int64_t sign) {
    const auto shown = line_.Syllables();
    counts_.profiled += sign;
    if (std::ssize(shown) > meter_.Places()) {
        counts_.feminine += sign;
    }
    for (const meter::Strictness strictness : kStrictnesses) {
        const auto s = static_cast<std::size_t>(strictness);
        if (meter::JudgeLine(meter_, line_, strictness, &offColumns_).Fits()) {
            counts_.fitting[s] += sign;
        }
        for (const std::int32_t column : offColumns_) {
            counts_.places[static_cast<std::size_t>(column) - 1].flagged[s] += sign;
        }
    }
    for (const meter::ShownLine::Syllable& syllable : shown) {
        if (syllable.column > meter_.Places()) {
            break;
        }
        PlaceCounts& place = counts_.places[static_cast<std::size_t>(syllable.column) - 1];
        const double juncture = JunctureAt(junctures, syllable.column);
        const auto add = [&](PlaceFigure figure, bool holds) {
            place.figures[static_cast<std::size_t>(figure)] += holds ? sign : 0;
        };
        place.lines += sign;
        add(PlaceFigure::Spoken, syllable.stress >= kSpoken);
        add(PlaceFigure::Heard, Stressed(syllable.stress) && syllable.stress < kSpoken);
        add(PlaceFigure::Stressed, Stressed(syllable.stress));
        add(PlaceFigure::WordBoundary, juncture >= kWordBoundary);
        add(PlaceFigure::PhraseBoundary, juncture >= kPhraseBoundary);
    }
}

std::vector<Profile> ProfilesByMeter(const Store& store, const meter::Meters& meters) {
    std::vector<Profile> profiles(static_cast<std::size_t>(meters.Count()));
    for (std::int32_t number = 1; number <= meters.Count(); ++number) {
        profiles[static_cast<std::size_t>(number) - 1].Count(store, meters, number);
    }
    return profiles;
}

Profile ProfileOfRecords(const ScansionRecords& records, const meter::Meter& meter) {
    Store store;
    store.Redimension(records.survey.verseLines, records.survey.positions);
    store.Reserve(records.survey.textBytes, records.survey.texts);
    for (const ScansionRecord& record : records.records) {
        store.SetRecord(record.verseLine, record.lineText, record.comment, record.values);
    }
    Profile profile;
    profile.Count(store, meter);
    return profile;
}

NamedProfile Named(const Profile& profile, std::vector<std::string> symbols, std::string name,
                   std::size_t mostListed) {
    const std::vector<std::int32_t>& others = profile.OtherLengthLines();
    ProfileSource source{std::move(name),
                         {others.begin(), others.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                               mostListed, others.size()))},
                         others.size(),
                         profile.MeterNumber(),
                         profile.MeterCount()};
    return {std::move(symbols), profile.Counts(), {std::move(source)}};
}

bool SameMeter(const std::vector<std::string>& symbols, const std::vector<std::string>& others) {
    return std::equal(symbols.begin(), symbols.end(), others.begin(), others.end(),
                      [](const std::string& one, const std::string& other) {
                          return meter::IsStrongSymbol(one) == meter::IsStrongSymbol(other);
                      });
}

void AddToGroups(std::vector<NamedProfile>& groups, NamedProfile file) {
    for (NamedProfile& group : groups) {
        if (SameMeter(group.symbols, file.symbols)) {
            group.counts += file.counts;
            std::move(file.sources.begin(), file.sources.end(), std::back_inserter(group.sources));
            return;
        }
    }
    groups.push_back(std::move(file));
}

std::vector<std::string> MeterSymbols(std::string_view meterLine, std::int32_t places) {
    std::vector<std::string> symbols;
    std::string_view rest = meterLine;
    for (std::int32_t place = 1; place <= places; ++place) {
        symbols.emplace_back(num::Trim(fields::FirstField(rest)));
        rest = rest.find('\t') == std::string_view::npos ? std::string_view()
                                                         : fields::RemoveFirstField(rest);
    }
    return symbols;
}

}  // namespace corvale::analysis
