#include "firstpass/ConventionsFile.h"

#include "platform/FileAtPath.h"
#include "platform/Platform.h"
#include "scansion/Numbers.h"
#include "scansion/OwnFiles.h"

#include <cmath>
#include <set>

namespace corvale::firstpass {
namespace {

// Far more than a file of every convention with long comments needs.
constexpr std::int64_t kLargestConventionsFile = std::int64_t{1} << 20;

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string RangeText(const ConventionInfo& info) {
    return "a whole number from " + std::to_string(info.least) + " to " + std::to_string(info.most);
}

// The value of a "name TAB value" row for a known convention, or why it cannot be taken.
std::variant<int, std::string> ValueOf(const ConventionInfo& info, std::string_view text) {
    const std::optional<double> number = num::WholeNumber(text);
    if (!number || *number != std::floor(*number) || *number < info.least || *number > info.most) {
        return std::string(info.name) + " takes " + RangeText(info) + ", not \"" +
               std::string(text) + "\"";
    }
    return static_cast<int>(*number);
}

}  // namespace

std::variant<ConventionsRead, Refusal> ReadConventions(std::string_view bytes) {
    if (!BeginsAsConventions(bytes)) {
        return Refusal{"not Corvale's conventions: the first row is not \"" +
                           std::string(kConventionsFirstRow) + "\"",
                       1};
    }
    ConventionsRead read;
    std::set<Convention> named;
    RowCursor rows(bytes);
    rows.Next();
    for (std::int64_t row = 2; !rows.AtEnd(); ++row) {
        const std::string_view text = rows.Next();
        const std::string_view trimmed = Trimmed(text);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        const std::size_t tab = text.find('\t');
        if (tab == std::string_view::npos) {
            return Refusal{"no tab between a convention's name and its value", row};
        }
        const std::string_view name = Trimmed(text.substr(0, tab));
        const std::optional<Convention> convention = ConventionNamed(name);
        if (!convention) {
            read.warnings.push_back(
                {"unknown convention \"" + std::string(name) + "\" passed over", row});
            continue;
        }
        const std::variant<int, std::string> value =
            ValueOf(InfoOf(*convention), Trimmed(text.substr(tab + 1)));
        if (const auto* why = std::get_if<std::string>(&value)) {
            return Refusal{*why, row};
        }
        if (!named.insert(*convention).second) {
            read.warnings.push_back(
                {std::string(name) + " is named again: this row's value counts", row});
        }
        read.conventions.Set(*convention, std::get<int>(value));
    }
    return read;
}

std::variant<ConventionsRead, Refusal> ReadConventionsFile(const QString& path) {
    const std::variant<std::string, ReadFailure> bytes =
        ReadFileAtPath(path, kLargestConventionsFile);
    if (const auto* failure = std::get_if<ReadFailure>(&bytes)) {
        return Refusal{failure->why == ReadFailure::Why::TooLarge
                           ? "too large for a conventions file"
                           : "cannot be read: " + failure->Reason(),
                       0};
    }
    return ReadConventions(std::get<std::string>(bytes));
}

std::string ConventionsFileBytes(const Conventions& conventions) {
    std::string bytes = std::string(kConventionsFirstRow) +
                        ": how the first pass reads verse, one convention a row (name, tab, "
                        "value)\r\n";
    for (const ConventionInfo& info : ConventionTable()) {
        bytes += "# " + std::string(info.name) + ": " + std::string(info.what) + "; " +
                 std::string(info.values) + " (default " + std::to_string(info.byDefault) + ")\r\n";
        bytes +=
            std::string(info.name) + '\t' + std::to_string(conventions[info.convention]) + "\r\n";
    }
    return bytes;
}

}  // namespace corvale::firstpass
