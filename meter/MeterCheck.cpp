#include "meter/MeterCheck.h"

#include "scansion/Numbers.h"
#include "scansion/TabFields.h"

#include <cstddef>
#include <string>

namespace corvale::meter {

bool IsStrongSymbol(std::string_view symbol) {
    const std::string_view trimmed = num::Trim(symbol);
    return trimmed == "s" || trimmed == "S";
}

// Nearly every value is a single digit; those skip the general scan, with the same result.
double ValueOf(std::string_view value) {
    if (value.size() == 1 && value[0] >= '0' && value[0] <= '9') {
        return value[0] - '0';
    }
    return num::NumericValue(value);
}

namespace {

bool IsOffAt(const Meter& meter, std::span<const ShownLine::Syllable> line, std::size_t i,
             Strictness strictness) {
    const ShownLine::Syllable& here = line[i];
    if (!(here.stress > 1.0) || here.column > meter.Places() || meter.IsStrong(here.column)) {
        return false;
    }
    if (strictness == Strictness::EveryStress) {
        return true;
    }
    // The first and last syllables have one neighbour only and are never maxima.
    return i > 0 && i + 1 < line.size() && here.stress > line[i - 1].stress &&
           here.stress > line[i + 1].stress;
}

std::string Counted(std::int32_t count, std::string_view one, std::string_view many,
                    std::string_view rest) {
    std::string text = std::to_string(count);
    text += count == 1 ? one : many;
    text += rest;
    return text;
}

}  // namespace

Meter::Meter(std::string_view meterLine, std::int32_t numberOfMeterSymbols) {
    // Walking the fields once keeps a long row linear, where NthField per place would not be.
    std::string_view rest = meterLine;
    for (std::int32_t place = 1; place <= numberOfMeterSymbols; ++place) {
        strong_.push_back(IsStrongSymbol(fields::FirstField(rest)) ? 1 : 0);
        if (rest.find('\t') == std::string_view::npos) {
            break;
        }
        rest = fields::RemoveFirstField(rest);
    }
}

void ShownLine::Add(std::int32_t column, std::string_view syllable, std::string_view stress) {
    if (!num::IsBlank(syllable)) {
        syllables_.push_back({column, ValueOf(stress)});
    }
}

void ShownLine::Read(const std::vector<std::string>& syllables,
                     const std::vector<std::string>& stresses) {
    syllables_.clear();
    for (std::size_t k = 1; k < syllables.size(); ++k) {
        Add(static_cast<std::int32_t>(k), syllables[k],
            k < stresses.size() ? std::string_view(stresses[k]) : std::string_view());
    }
}

void ShownLine::Read(const Store& store, std::int32_t j) {
    syllables_.clear();
    const Store::RowValues syllables = store.Values(ValueRow::Syllables, j);
    const Store::RowValues stresses = store.Values(ValueRow::Stresses, j);
    for (std::int32_t k = 1; k <= syllables.Count(); ++k) {
        Add(k, syllables[k], k <= stresses.Count() ? stresses[k] : std::string_view());
    }
}

void ShownLine::Read(std::span<const std::uint8_t> values, std::int32_t firstColumn) {
    syllables_.clear();
    for (std::size_t i = 0; i < values.size(); ++i) {
        syllables_.push_back(
            {static_cast<std::int32_t>(i) + firstColumn, static_cast<double>(values[i])});
    }
}

Verdict JudgeLine(const Meter& meter, const ShownLine& line, Strictness strictness,
                  std::vector<std::int32_t>* offColumns) {
    if (offColumns) {
        offColumns->clear();
    }
    if (meter.IsEmpty()) {
        return {};
    }
    const std::span<const ShownLine::Syllable> shown = line.Syllables();
    Verdict verdict{true, meter.Places(), static_cast<std::int32_t>(shown.size()), 0};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (IsOffAt(meter, shown, i, strictness)) {
            ++verdict.offPlaces;
            if (offColumns) {
                offColumns->push_back(shown[i].column);
            }
        }
    }
    return verdict;
}

Judgement JudgeLine(const Meter& meter, const std::vector<std::string>& syllables,
                    const std::vector<std::string>& stresses, Strictness strictness) {
    ShownLine line;
    line.Read(syllables, stresses);
    Judgement judgement;
    judgement.verdict = JudgeLine(meter, line, strictness, &judgement.offColumns);
    return judgement;
}

namespace {

// The status with the meter called `meter` ("the meter", "meter 2 of 3"); a count of syllables
// alone is followed by `countedFor`.
std::string StatusNaming(const Verdict& verdict, const std::string& meter,
                         const std::string& countedFor) {
    if (!verdict.judged) {
        return {};
    }
    std::vector<std::string> parts;
    if (verdict.offPlaces > 0) {
        parts.push_back(Counted(verdict.offPlaces, " place", " places", " off " + meter));
    }
    if (verdict.TooMany() > 0) {
        parts.push_back(Counted(verdict.TooMany(), " syllable", " syllables", " too many"));
    }
    if (verdict.TooFew() > 0) {
        parts.push_back(Counted(verdict.TooFew(), " syllable", " syllables", " too few"));
    }
    if (parts.empty()) {
        return "fits " + meter;
    }
    std::string text = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        text += ", " + parts[i];
    }
    return verdict.offPlaces == 0 ? text + countedFor : text;
}

}  // namespace

std::string StatusText(const Verdict& verdict) {
    return StatusNaming(verdict, "the meter", "");
}

std::string StatusText(const Verdict& verdict, std::int32_t meterNumber, std::int32_t meterCount) {
    if (meterCount <= 1) {
        return StatusText(verdict);
    }
    const std::string meter =
        "meter " + std::to_string(meterNumber) + " of " + std::to_string(meterCount);
    return StatusNaming(verdict, meter, " for " + meter);
}

std::string_view CueText(Strictness strictness) {
    return strictness == Strictness::EveryStress ? "stressed syllable in a weak place"
                                                 : "stress maximum in a weak place";
}

}  // namespace corvale::meter
