#include "window/FolderConventions.h"

#include "scansion/FileNames.h"
#include "scansion/OwnFiles.h"

#include <QStringList>

#include <optional>
#include <string>

namespace corvale {

namespace {

QString AtRow(std::int64_t row, const std::string& message) {
    const QString where = row > 0 ? QStringLiteral(", row %1").arg(row) : QString();
    return QStringLiteral("%1%2: %3.")
        .arg(QLatin1String(kConventionsFileName), where, QString::fromStdString(message));
}

}  // namespace

std::variant<firstpass::ConventionsRead, QString> ReadFolderConventions(const Platform& platform) {
    if (platform.WhatIsAt(kConventionsFileName) == Platform::Occupant::Nothing) {
        return firstpass::ConventionsRead{};
    }
    const std::optional<std::string> bytes = platform.ReadWholeFile(kConventionsFileName);
    if (!bytes) {
        return AtRow(0, "it cannot be read");
    }
    if (!BeginsAsConventions(*bytes)) {
        return firstpass::ConventionsRead{};
    }
    auto read = firstpass::ReadConventions(*bytes);
    if (const auto* refusal = std::get_if<firstpass::Refusal>(&read)) {
        return AtRow(refusal->row, refusal->message);
    }
    return std::move(std::get<firstpass::ConventionsRead>(read));
}

QString ConventionsWarnings(const firstpass::ConventionsRead& read) {
    QStringList warnings;
    for (const firstpass::Warning& warning : read.warnings) {
        warnings << AtRow(warning.row, warning.message);
    }
    return warnings.join(QStringLiteral("  "));
}

}  // namespace corvale
