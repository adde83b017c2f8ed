#include "scansion/OwnFiles.h"

#include "platform/FileAtPath.h"
#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "scansion/FileNames.h"
#include "scansion/RecordReader.h"

#include <QFileInfo>

#include <array>
#include <string_view>
#include <utility>

namespace corvale {

namespace {

// No file of the program's needs more of its beginning to tell what it is.
constexpr std::int64_t kBeginning = std::int64_t{1} << 20;

// The files known by their names alone, with what each is.
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kNamed = {{
    {kMemoryFileName, "the memory file"},
    {kViewOptionsFileName, "the view options"},
}};

// Every field of every row is a meter symbol, and there is one at least.
bool HoldsOnlyMeterSymbols(std::string_view bytes) {
    bool any = false;
    for (RowCursor rows(bytes); !rows.AtEnd();) {
        const QString row =
            QString::fromUtf8(rows.Next()).remove(QChar(0xFEFF)).replace(u'\t', u' ');
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

bool BeginsAsConventions(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    return bytes.starts_with(kConventionsFirstRow);
}

std::optional<OwnFile> CorvalesOwnFile(const QString& path) {
    const std::variant<std::string, ReadFailure> read = ReadFileBeginning(path, kBeginning);
    const std::string* bytes = std::get_if<std::string>(&read);
    if (bytes == nullptr) {
        return std::nullopt;
    }
    const std::string name = PathBytes(QFileInfo(path).fileName());
    for (const auto& [named, what] : kNamed) {
        if (name == named) {
            return OwnFile{OwnFile::Kind::Other, std::string(what)};
        }
    }
    if (BeginsWithRecord(*bytes)) {
        return OwnFile{OwnFile::Kind::Scansion, "a scansion file"};
    }
    if (name.ends_with(kMeterFileName) && HoldsOnlyMeterSymbols(*bytes)) {
        return OwnFile{OwnFile::Kind::Other, "a meter file"};
    }
    if (BeginsAsConventions(*bytes)) {
        return OwnFile{OwnFile::Kind::Conventions, "a conventions file"};
    }
    return std::nullopt;
}

bool IsKeptCorrectionsName(const QString& fileName) {
    return fileName.contains(QLatin1String(kKeptCorrectionsMark)) &&
           fileName.endsWith(QLatin1String(".txt"));
}

bool IsOwnFileName(const QString& fileName) {
    for (const auto& [named, what] : kNamed) {
        if (fileName == QLatin1String(named.data(), static_cast<qsizetype>(named.size()))) {
            return true;
        }
    }
    return fileName.endsWith(QLatin1String(kMeterFileName)) || IsKeptCorrectionsName(fileName);
}

}  // namespace corvale
