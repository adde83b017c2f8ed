#include "ProfileTables.h"

#include "analysis/ProfileReport.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace corvale::profile_tool {

namespace {

using analysis::NamedProfile;
using analysis::PlaceFigure;
using Row = std::vector<std::string>;

constexpr std::array<PlaceFigure, analysis::kPlaceFigures> kFigures = {
    PlaceFigure::Spoken, PlaceFigure::Heard, PlaceFigure::Stressed, PlaceFigure::WordBoundary,
    PlaceFigure::PhraseBoundary};

// Characters, not bytes: file names and meter symbols may be UTF-8.
std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The rows with their columns padded to one width, two spaces apart: the first `left` columns
// to the left, the others to the right. Rows of a single cell stand as they are.
std::string Aligned(const std::vector<Row>& rows, std::size_t left) {
    std::vector<std::size_t> widths;
    for (const Row& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t i = 0; i < row.size() && row.size() > 1; ++i) {
            widths[i] = std::max(widths[i], Width(row[i]));
        }
    }
    std::string text;
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string padding(row.size() > 1 ? widths[i] - Width(row[i]) : 0, ' ');
            line += (i == 0 ? "" : "  ") + (i < left ? row[i] + padding : padding + row[i]);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : separator) + part;
    }
    return text;
}

// Each file, with which of its meters this is when it has several: "ballad.txt (meter 2 of 2)".
std::string Names(const NamedProfile& profile) {
    std::vector<std::string> names;
    for (const analysis::ProfileSource& source : profile.sources) {
        names.push_back(source.meterCount > 1
                            ? source.name + " (meter " + std::to_string(source.meterNumber) +
                                  " of " + std::to_string(source.meterCount) + ")"
                            : source.name);
    }
    return Joined(names, ", ");
}

Row PlaceHeadings() {
    Row row = {"place", "meter", "lines"};
    for (const PlaceFigure figure : kFigures) {
        row.emplace_back(analysis::NameOf(figure).heading);
    }
    return row;
}

std::string SymbolOf(const NamedProfile& profile, std::size_t i) {
    return i < profile.symbols.size() ? profile.symbols[i] : std::string();
}

}  // namespace

std::string ProfileTable(const NamedProfile& profile) {
    std::vector<Row> places = {PlaceHeadings()};
    for (std::size_t i = 0; i < profile.counts.places.size(); ++i) {
        const analysis::PlaceCounts& place = profile.counts.places[i];
        Row row = {std::to_string(i + 1), SymbolOf(profile, i), std::to_string(place.lines)};
        for (const PlaceFigure figure : kFigures) {
            row.push_back(analysis::CountAndPercent(place.Of(figure), place.lines));
        }
        places.push_back(std::move(row));
    }
    std::vector<Row> figures;
    for (const analysis::FileFigure& figure :
         analysis::FileFigures(profile, meter::Strictness::StressMaxima)) {
        figures.push_back({figure.label + ":", figure.value});
    }
    return Names(profile) + ": meter " + Joined(profile.symbols, " ") + "\n" + Aligned(places, 2) +
           Aligned(figures, 2);
}

}  // namespace corvale::profile_tool
