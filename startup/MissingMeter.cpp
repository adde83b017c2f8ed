#include "startup/MissingMeter.h"

#include "meter/TypedMeter.h"
#include "scansion/MeterFile.h"
#include "scansion/Numbers.h"
#include "scansion/RecordReader.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace corvale::startup {

namespace {

enum MeterAnswer : std::size_t { kFind, kType };

constexpr char kExample[] = "W S W S W S W S W S";

// A stress value as the first pass weighs it: above 1 is stressed, as the meter check has it.
std::uint8_t StressValue(std::string_view text) {
    const double value = num::NumericValue(text);
    if (value <= 1) {
        return value <= 0 ? 0 : 1;
    }
    return static_cast<std::uint8_t>(std::min(std::ceil(value), 255.0));
}

// Each verse line's stress values as they stand, for its shown syllables.
std::vector<std::vector<std::uint8_t>> StressesOf(const Platform& platform,
                                                  const std::string& name) {
    std::vector<std::vector<std::uint8_t>> lines;
    const std::optional<std::string> bytes = platform.ReadWholeFile(name);
    if (!bytes) {
        return lines;
    }
    const ScansionRecords read = ReadScansionRecords(*bytes);
    for (const ScansionRecord& record : read.records) {
        const std::vector<std::string_view> syllables = record.Values(ValueRow::Syllables);
        const std::vector<std::string_view> stresses = record.Values(ValueRow::Stresses);
        std::vector<std::uint8_t>& line = lines.emplace_back();
        for (std::size_t i = 0; i < syllables.size(); ++i) {
            if (!num::IsBlank(syllables[i])) {
                line.push_back(i < stresses.size() ? StressValue(stresses[i]) : 0);
            }
        }
    }
    return lines;
}

// The rows' symbols separated by spaces, and the meters by "; ", as the user types them.
QString Spaced(const std::string& rows) {
    return QString::fromStdString(rows)
        .replace(QStringLiteral("\r\n"), QStringLiteral("; "))
        .replace(u'\t', u' ');
}

bool WriteMeter(Platform& platform, const std::string& name, const std::string& rows) {
    const std::array<std::string, 1> meterFile{OwnMeterFileName(name)};
    if (!platform.CreateNewFile(meterFile, rows + "\r\n")) {
        platform.ShowMessage(
            QStringLiteral("I couldn't write %1, so %2 stays closed.  Perhaps the folder is "
                           "read-only or the disk is full.")
                .arg(DecodeFileName(meterFile[0]), DecodeFileName(name)));
        return false;
    }
    platform.SyncFolderOf(meterFile[0]);
    return true;
}

// The meter the stresses give, confirmed; nullopt when there is none or the user said No.
std::optional<std::string> ConfirmFound(Platform& platform, const std::string& name,
                                        const MeterFinder& find) {
    const QString file = DecodeFileName(name);
    const std::optional<FoundMeter> found = find(StressesOf(platform, name));
    if (!found) {
        platform.ShowMessage(QStringLiteral("%1 has no syllables to find a meter from.").arg(file));
        return std::nullopt;
    }
    const bool several = found->row.find('\n') != std::string::npos;
    const QString question =
        QStringLiteral("The stresses of %1 fit %2 best:\n\n%3\n\nWrite %4 to %5?")
            .arg(file, QString::fromStdString(found->name), Spaced(found->row),
                 several ? QStringLiteral("these meters") : QStringLiteral("this meter"),
                 DecodeFileName(OwnMeterFileName(name)));
    if (platform.AskYesNo(question, Escape::Withdraws) != Answer::Yes) {
        return std::nullopt;
    }
    return found->row;
}

// The meters typed, as a meter file's rows without the last line end; nullopt when the user
// cancelled.
std::optional<std::string> TypeMeter(Platform& platform, const std::string& name) {
    QString typed;
    for (;;) {
        const std::optional<QString> text = platform.AskText(
            QStringLiteral("The meter of %1:\na W for each weak place and an S for each strong "
                           "one, separated by spaces, such as %2; several meters separated by "
                           "\";\", the main meter first")
                .arg(DecodeFileName(name), QLatin1String(kExample)),
            typed);
        if (!text) {
            return std::nullopt;
        }
        typed = *text;
        if (const auto meters = meter::ParseTypedMeters(typed);
            meters && meters->size() <= kMostMeters) {
            std::string rows;
            for (const std::vector<std::string>& symbols : *meters) {
                rows += (rows.empty() ? "" : "\r\n") + meter::MeterFileLine(symbols);
            }
            return rows;
        }
        platform.ShowMessage(QStringLiteral("\"%1\" is not a meter.  Type a W for each weak place "
                                            "and an S for each strong one, separated by spaces, "
                                            "such as %2.")
                                 .arg(typed, QLatin1String(kExample)));
    }
}

}  // namespace

bool AskForMeter(Platform& platform, const std::string& name, const MeterFinder& find) {
    const QString text =
        NoMeterMessage(name, platform.ProgramFolder()) +
        QStringLiteral(
            "\n\nI can find the meter from the file's stresses as they stand, or you "
            "can type it.");
    const std::vector<QString> answers = {QStringLiteral("Find it from the stresses"),
                                          QStringLiteral("Type it\u2026"),
                                          QStringLiteral("Cancel")};
    for (;;) {
        std::optional<std::string> row;
        switch (platform.AskChoice(text, answers)) {
            case kFind:
                row = ConfirmFound(platform, name, find);
                break;
            case kType:
                row = TypeMeter(platform, name);
                break;
            default:
                return false;
        }
        if (row) {
            return WriteMeter(platform, name, *row);
        }
    }
}

}  // namespace corvale::startup
