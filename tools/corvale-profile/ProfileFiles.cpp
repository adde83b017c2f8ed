#include "ProfileFiles.h"

#include "platform/FileAtPath.h"
#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "scansion/MeterFileName.h"
#include "scansion/MeterOfFile.h"
#include "scansion/RecordReader.h"
#include "scansion/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace corvale::profile_tool {

namespace {

std::string Text(const QString& text) {
    return PathBytes(text);
}

// The whole file, named by its bytes as given, or why it cannot be read.
std::variant<std::string, Refusal> ReadFile(const QString& path) {
    std::variant<std::string, ReadFailure> read = ReadFileAtPath(path, kLargestReadableFile);
    if (const auto* failure = std::get_if<ReadFailure>(&read)) {
        return Refusal{"cannot be read: " + failure->Reason(), 0};
    }
    return std::move(std::get<std::string>(read));
}

// The meter file's row that applies to the scansion file at `path`.
std::variant<MeterFileRow, Refusal> MeterOf(const QString& path) {
    const QString own = DecodeFileName(OwnMeterFileName(EncodeFileName(path)));
    const QString shared = QFileInfo(path).dir().filePath(QLatin1String(kMeterFileName));
    const QString meter = QFileInfo(own).isFile() ? own : shared;
    if (!QFileInfo(meter).isFile()) {
        return Refusal{"has no meter: neither " + Text(own) + " nor " + Text(shared) +
                           " is a file (--meter gives one)",
                       0};
    }
    auto bytes = ReadFile(meter);
    if (const auto* refusal = std::get_if<Refusal>(&bytes)) {
        return Refusal{"its meter file " + Text(meter) + " " + refusal->message, 0};
    }
    MeterFileRow row = ReadMeterRow(std::get<std::string>(bytes));
    if (row.symbols == 0) {
        return Refusal{"its meter file " + Text(meter) + " holds no meter symbols", 0};
    }
    return row;
}

}  // namespace

std::variant<analysis::NamedProfile, Refusal> ProfileFile(
    const QString& path, const std::optional<std::string>& imposedMeter) {
    auto bytes = ReadFile(path);
    if (auto* refusal = std::get_if<Refusal>(&bytes)) {
        return std::move(*refusal);
    }
    const std::string& file = std::get<std::string>(bytes);
    if (!BeginsWithRecord(file)) {
        return Refusal{
            "is not a scansion file: its first rows are not a verse line's syllables, "
            "stress, juncture and comment rows",
            0};
    }
    const ScansionRecords records = ReadScansionRecords(file);
    if (records.fault) {
        return *records.fault;
    }
    MeterFileRow meter;
    if (imposedMeter) {
        meter = ReadMeterRow(*imposedMeter);
    } else {
        auto found = MeterOf(path);
        if (auto* refusal = std::get_if<Refusal>(&found)) {
            return std::move(*refusal);
        }
        meter = std::move(std::get<MeterFileRow>(found));
    }
    const meter::Meter rule(meter.line, meter.symbols);
    return analysis::Named(analysis::ProfileOfRecords(records, rule),
                           analysis::MeterSymbols(meter.line, rule.Places()), Text(path));
}

}  // namespace corvale::profile_tool
