#include "analysis/ProfileReport.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace corvale::analysis {

namespace {

constexpr std::array<FigureName, kPlaceFigures> kNames = {{
    {"stress 3+", "stressed as spoken (3 or more)", "stress_3_or_more"},
    {"stress 2", "with a stress above 1 and below 3", "stress_2"},
    {"stressed", "stressed", "stressed"},
    {"word end", "followed by a word boundary", "word_boundary"},
    {"phrase end", "followed by a phrase boundary", "phrase_boundary"},
}};

std::string Fixed(double value, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Share(std::int64_t count, std::int64_t base) {
    return base == 0 ? std::string()
                     : Fixed(static_cast<double>(count) / static_cast<double>(base), "%.4f");
}

std::string OutOf(std::int64_t count, std::int64_t base) {
    return std::to_string(count) + " of " + std::to_string(base) + " (" + Percent(count, base) +
           ")";
}

template <typename Each>
std::string Joined(std::size_t count, const char* separator, Each each) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += (i == 0 ? "" : separator) + each(i);
    }
    return text;
}

// "9: 1, 10: 12": lines by the syllables they show.
std::string Histogram(const std::vector<std::int64_t>& lines) {
    std::string text;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (lines[n] != 0) {
            text +=
                (text.empty() ? "" : ", ") + std::to_string(n) + ": " + std::to_string(lines[n]);
        }
    }
    return text.empty() ? "-" : text;
}

std::string Listed(const ProfileSource& source, std::size_t most) {
    const std::size_t shown = std::min(most, source.otherLines.size());
    std::string text =
        Joined(shown, ", ", [&](std::size_t i) { return std::to_string(source.otherLines[i]); });
    if (shown < source.otherLineCount) {
        text += " and " + std::to_string(source.otherLineCount - shown) + " more";
    }
    return text;
}

std::string OtherLines(const NamedProfile& profile, std::size_t most) {
    std::string text;
    for (const ProfileSource& source : profile.sources) {
        if (source.otherLineCount == 0) {
            continue;
        }
        text += text.empty() ? "" : "; ";
        text += profile.sources.size() > 1 ? source.name + ": " : "";
        text += Listed(source, most);
    }
    return text.empty() ? "none" : text;
}

// "1: 0, 3: 2": a count for each weak place.
std::string WeakPlaces(const NamedProfile& profile, meter::Strictness strictness) {
    std::string text;
    for (std::size_t i = 0; i < profile.counts.places.size(); ++i) {
        if (i < profile.symbols.size() && meter::IsStrongSymbol(profile.symbols[i])) {
            continue;
        }
        text +=
            (text.empty() ? "" : ", ") + std::to_string(i + 1) + ": " +
            std::to_string(profile.counts.places[i].flagged[static_cast<std::size_t>(strictness)]);
    }
    return text.empty() ? "-" : text;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string CsvHeader() {
    std::string header = "source,meter,place,symbol,strength,lines";
    for (const FigureName& name : kNames) {
        header += "," + std::string(name.csv) + "," + std::string(name.csv) + "_share";
    }
    return header +
           ",cue_flags,strict_cue_flags,verse_lines,profiled_lines,fitting_lines,"
           "feminine_endings,run_on_lines,files,meter_number\n";
}

// Which of its file's meters a profile is: the number all its files give it, or each file's in
// the order of the files column when they differ.
std::string MeterNumbers(const NamedProfile& profile) {
    const auto& sources = profile.sources;
    const bool same = std::ranges::all_of(sources, [&](const ProfileSource& source) {
        return source.meterNumber == sources.front().meterNumber;
    });
    return sources.empty() ? std::string()
           : same          ? std::to_string(sources.front().meterNumber)
                           : Joined(sources.size(), "; ",
                                    [&](std::size_t i) { return std::to_string(sources[i].meterNumber); });
}

}  // namespace

const FigureName& NameOf(PlaceFigure figure) {
    return kNames[static_cast<std::size_t>(figure)];
}

std::string Percent(std::int64_t count, std::int64_t base) {
    return base == 0
               ? "-"
               : Fixed(100.0 * static_cast<double>(count) / static_cast<double>(base), "%.1f%%");
}

std::string CountAndPercent(std::int64_t count, std::int64_t base) {
    return std::to_string(count) + " (" + Percent(count, base) + ")";
}

std::string FigureTip(std::int32_t place, PlaceFigure figure, const PlaceCounts& counts) {
    return "place " + std::to_string(place) + ": " + std::to_string(counts.Of(figure)) + " of " +
           std::to_string(counts.lines) + " lines " + std::string(NameOf(figure).phrase);
}

std::string ChartTitle(const NamedProfile& profile) {
    const ProfileCounts& counts = profile.counts;
    if (counts.verseLines == 0) {
        return "There are no verse lines to profile.";
    }
    if (counts.places.empty()) {
        return "The meter has no places: there is nothing to profile.";
    }
    const std::string files = Joined(profile.sources.size(), ", ",
                                     [&](std::size_t i) { return profile.sources[i].name; });
    const std::string meter =
        Joined(profile.symbols.size(), " ", [&](std::size_t i) { return profile.symbols[i]; });
    const bool oneOfSeveral = profile.sources.size() == 1 && profile.sources[0].meterCount > 1;
    const std::string which = oneOfSeveral
                                  ? " " + std::to_string(profile.sources[0].meterNumber) + " of " +
                                        std::to_string(profile.sources[0].meterCount) + ":"
                                  : "";
    return files + ", meter" + which + " " + meter + "\n" + std::to_string(counts.profiled) +
           " of " + std::to_string(counts.verseLines) + " verse lines profiled";
}

std::vector<FileFigure> FileFigures(const NamedProfile& profile, meter::Strictness strictness,
                                    std::size_t mostListed) {
    const ProfileCounts& counts = profile.counts;
    const bool strict = strictness == meter::Strictness::EveryStress;
    return {
        {"verse lines", std::to_string(counts.verseLines)},
        {"lines profiled", OutOf(counts.profiled, counts.verseLines)},
        {strict ? "lines that fit the meter (strict check)" : "lines that fit the meter",
         OutOf(counts.Fitting(strictness), counts.verseLines)},
        {"feminine endings", OutOf(counts.feminine, counts.profiled)},
        {"run-on lines", OutOf(counts.runOn, counts.verseLines)},
        {"syllables per line", Histogram(counts.syllablesPerLine)},
        {"lines of another length", OtherLines(profile, mostListed)},
        {"weak places flagged by the cue", WeakPlaces(profile, meter::Strictness::StressMaxima)},
        {"weak places flagged by the strict cue",
         WeakPlaces(profile, meter::Strictness::EveryStress)},
    };
}

std::string ProfileCsv(std::span<const NamedProfile> profiles, meter::Strictness strictness) {
    std::string csv = CsvHeader();
    int groups = 0;
    for (const NamedProfile& profile : profiles) {
        const ProfileCounts& counts = profile.counts;
        const bool group = profile.sources.size() > 1;
        const std::string source =
            group
                ? "group " + std::to_string(++groups)
                : CsvField(profile.sources.empty() ? std::string() : profile.sources.front().name);
        const std::string files = CsvField(Joined(
            profile.sources.size(), "; ", [&](std::size_t i) { return profile.sources[i].name; }));
        const std::string meter = CsvField(
            Joined(profile.symbols.size(), " ", [&](std::size_t i) { return profile.symbols[i]; }));
        const std::string file =
            "," + std::to_string(counts.verseLines) + "," + std::to_string(counts.profiled) + "," +
            std::to_string(counts.Fitting(strictness)) + "," + std::to_string(counts.feminine) +
            "," + std::to_string(counts.runOn) + "," + files + "," + MeterNumbers(profile) + "\n";
        for (std::size_t i = 0; i < counts.places.size(); ++i) {
            const PlaceCounts& place = counts.places[i];
            const std::string symbol = i < profile.symbols.size() ? profile.symbols[i] : "";
            const bool strong = meter::IsStrongSymbol(symbol);
            csv += source + "," + meter + "," + std::to_string(i + 1) + "," + CsvField(symbol) +
                   (strong ? ",strong," : ",weak,") + std::to_string(place.lines);
            for (const std::int64_t count : place.figures) {
                csv += "," + std::to_string(count) + "," + Share(count, place.lines);
            }
            csv += strong ? std::string(",,")
                          : "," + std::to_string(place.flagged[0]) + "," +
                                std::to_string(place.flagged[1]);
            csv += file;
        }
    }
    return csv;
}

}  // namespace corvale::analysis
