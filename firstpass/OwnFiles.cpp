#include "firstpass/OwnFiles.h"

#include "firstpass/PoemReader.h"
#include "platform/Platform.h"
#include "scansion/FileNames.h"
#include "scansion/RecordReader.h"

#include <QFileInfo>

#include <string_view>

namespace corvale::firstpass {

namespace {

// Every field of every row is a meter symbol, and there is one at least.
bool HoldsOnlyMeterSymbols(std::string_view bytes) {
    bool any = false;
    for (RowCursor rows(bytes); !rows.AtEnd();) {
        const QString row = QString::fromUtf8(rows.Next()).replace(u'\t', u' ');
        for (const QString& field : row.split(u' ', Qt::SkipEmptyParts)) {
            if (field.compare(u"W", Qt::CaseInsensitive) != 0 &&
                field.compare(u"S", Qt::CaseInsensitive) != 0) {
                return false;
            }
            any = true;
        }
    }
    return any;
}

}  // namespace

std::optional<std::string> CorvalesOwnFile(const QString& path) {
    const std::variant<std::string, Refusal> read = ReadPoemBytes(path, PoemLimits{});
    const std::string* bytes = std::get_if<std::string>(&read);
    if (bytes == nullptr) {
        return std::nullopt;
    }
    const QString name = QFileInfo(path).fileName();
    if (name == QLatin1String(kMemoryFileName)) {
        return "the memory file";
    }
    if (BeginsWithRecord(*bytes)) {
        return "a scansion file";
    }
    if (name.endsWith(QLatin1String(kMeterFileName)) && HoldsOnlyMeterSymbols(*bytes)) {
        return "a meter file";
    }
    return std::nullopt;
}

}  // namespace corvale::firstpass
