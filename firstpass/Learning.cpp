#include "firstpass/Learning.h"

#include "firstpass/Agreement.h"
#include "firstpass/FirstPass.h"
#include "meter/LineMeter.h"
#include "meter/MeterCheck.h"
#include "scansion/Numbers.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace corvale::firstpass {
namespace {

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

Fit FitOf(Agreement& agreement, const Conventions& conventions, const Conventions& start) {
    Fit fit{conventions, {}, 0, Against(conventions, start), 0};
    agreement.Of(conventions, fit.agree);
    fit.lines = agreement.LinesAgreeing(fit.agree);
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
std::optional<Fit> BestMove(Agreement& agreement, const Fit& current, const Conventions& start) {
    std::optional<Fit> best;
    for (const ConventionInfo& info : ConventionTable()) {
        for (int value = info.least; value <= info.most; ++value) {
            if (value == current.conventions[info.convention]) {
                continue;
            }
            Conventions moved = current.conventions;
            moved.Set(info.convention, value);
            Fit tried = FitOf(agreement, moved, start);
            if (Better(tried, current) && (!best || tried.worth > best->worth)) {
                best = std::move(tried);
            }
        }
    }
    return best;
}

// A meter's places, true for a strong one.
std::vector<bool> StrongPlaces(const meter::Meter& meter) {
    std::vector<bool> strong;
    for (std::int32_t place = 1; place <= meter.Places(); ++place) {
        strong.push_back(meter.IsStrong(place));
    }
    return strong;
}

}  // namespace

CorrectedPoem CorrectedPoemOf(const Store& store, Encoding encoding, std::int32_t first,
                              std::int32_t last, const std::vector<MeterFileRow>& meters) {
    const meter::Meters rule = meter::Meters::OfRows(meters);
    CorrectedPoem poem{{}, StrongPlaces(rule.Main())};
    meter::ShownLine shown;
    for (std::int32_t j = std::max(first, 1); j <= std::min(last, store.NumberOfLines()); ++j) {
        const Store::RowValues syllables = store.Values(ValueRow::Syllables, j);
        const Store::RowValues stresses = store.Values(ValueRow::Stresses, j);
        if (syllables.Count() == 0 || stresses.Count() == 0) {
            continue;
        }
        // The blank columns before a headless line's first syllable hold no syllable.
        std::int32_t from = 1;
        while (from < syllables.Count() && num::IsBlank(syllables[from])) {
            ++from;
        }
        CorrectedLine line{Decode(store.LineText(j), encoding).toStdString(), {}, {}};
        for (std::int32_t k = from; k <= syllables.Count(); ++k) {
            line.syllables.push_back(Decode(syllables[k], encoding).toStdString());
            line.stressed.push_back(k <= stresses.Count() && meter::ValueOf(stresses[k]) > 1.0);
        }
        if (std::none_of(line.syllables.begin(), line.syllables.end(),
                         [](const std::string& s) { return num::IsBlank(s); })) {
            shown.Read(store, j);
            const std::int32_t number = meter::LineMeter(rule, shown);
            if (number != 1) {
                line.meter = StrongPlaces(rule.Number(number));
            }
            poem.lines.push_back(std::move(line));
        }
    }
    return poem;
}

CorrectedPoem CorrectedPoemOf(const LoadedScansion& file) {
    return CorrectedPoemOf(file.store, file.encoding, 1, file.records, file.meter.rows.meters);
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
    Agreement agreement(poems, start);
    learned.syllables = static_cast<std::int64_t>(agreement.Syllables());
    Fit fit = FitOf(agreement, start, start);
    learned.agreeingBefore = Sum(fit.agree);
    // Each move fits better than the last, so the search ends; the bound is a safeguard.
    for (std::size_t step = 0; step < 8 * kConventionCount; ++step) {
        std::optional<Fit> next = BestMove(agreement, fit, start);
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
