#include "firstpass/PoemReader.h"

#include "platform/TextCodec.h"
#include "scansion/RecordFormat.h"

#include <QStringDecoder>
#include <QStringView>

#include <optional>
#include <string_view>

namespace corvale::firstpass {

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

QString DecodeUtf16(std::string_view bytes, QStringDecoder::Encoding encoding) {
    QStringDecoder decoder(encoding);
    return decoder.decode(QByteArrayView(bytes.data(), std::ssize(bytes)));
}

// The keyword in a row's second tab field, when the row is a scansion record's.
std::optional<std::string_view> RecordKind(QStringView row) {
    const qsizetype first = row.indexOf(u'\t');
    if (first < 0) {
        return std::nullopt;
    }
    const qsizetype second = row.indexOf(u'\t', first + 1);
    const QStringView field =
        row.sliced(first + 1, (second < 0 ? row.size() : second) - first - 1).trimmed();
    const std::optional<std::size_t> kind = RowOfKeyword(field.toString().toStdString());
    return kind ? std::optional(kRowKeywords[*kind]) : std::nullopt;
}

// Goes through the rows of the decoded text, keeping the verse lines.
class RowWalk {
public:
    RowWalk(const QString& text, const PoemLimits& limits, std::vector<std::int32_t>* rows)
        : text_(text), limits_(limits), rows_(rows) {}

    std::variant<Poem, Refusal> Run() {
        qsizetype at = 0;
        std::int64_t row = 0;
        while (at < text_.size()) {
            qsizetype end = at;
            while (end < text_.size() && text_[end] != u'\r' && text_[end] != u'\n') {
                ++end;
            }
            if (std::optional<Refusal> refusal =
                    Take(QStringView(text_).sliced(at, end - at), ++row)) {
                return *refusal;
            }
            at = end;
            if (at < text_.size() && text_[at] == u'\r') {
                ++at;
                if (at < text_.size() && text_[at] == u'\n') {
                    ++at;
                }
            } else if (at < text_.size()) {
                ++at;
            }
        }
        if (poem_.verseLines.empty()) {
            return Refusal{row == 0 ? "The poem file is empty: there is nothing to scan."
                                    : "The poem holds only blank lines: there is nothing to scan.",
                           0};
        }
        return std::move(poem_);
    }

private:
    std::optional<Refusal> Take(QStringView row, std::int64_t number) {
        if (row.contains(QChar(0))) {
            return Refusal{"The poem holds a NUL byte, which no plain-text poem has.", number};
        }
        if (const std::optional<std::string_view> kind = RecordKind(row)) {
            return Refusal{"This is already a scansion file (a \"" + std::string(*kind) +
                               "\" record), not a poem: open it in Corvale to correct it, or "
                               "scan the poem it came from.",
                           number};
        }
        // A tab, or any other control character, would not survive as part of a row of the
        // scansion file: each becomes a space. A byte order mark inside the text (files joined
        // together) is no character of the poem's.
        QString line = row.toString();
        line.remove(QChar(0xFEFF));
        for (QChar& c : line) {
            if (c.category() == QChar::Other_Control) {
                c = u' ';
            }
        }
        line = line.trimmed();
        if (line.isEmpty()) {
            return std::nullopt;  // a stanza break
        }
        if (std::ssize(poem_.verseLines) >= limits_.mostVerseLines) {
            return Refusal{"The poem has more than " + WithThousands(limits_.mostVerseLines) +
                               " verse lines, the most Corvale scans.",
                           number};
        }
        poem_.verseLines.push_back(line.toStdString());
        if (rows_) {
            rows_->push_back(static_cast<std::int32_t>(number));
        }
        return std::nullopt;
    }

    const QString& text_;
    const PoemLimits& limits_;
    std::vector<std::int32_t>* rows_;
    Poem poem_;
};

}  // namespace

Refusal TooLarge(const PoemLimits& limits) {
    const std::int64_t mib = std::int64_t{1} << 20;
    const std::string size = limits.largestFile % mib == 0
                                 ? WithThousands(limits.largestFile / mib) + " MiB"
                                 : WithThousands(limits.largestFile) + " bytes";
    return {"The poem file is larger than " + size + ", the most Corvale reads.", 0};
}

std::string WithThousands(std::int64_t number) {
    std::string digits = std::to_string(number);
    const std::size_t first = digits.front() == '-' ? 1 : 0;
    for (std::size_t at = digits.size(); at > first + 3; at -= 3) {
        digits.insert(at - 3, 1, ',');
    }
    return digits;
}

QString DecodePoem(std::string_view bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        return Decode(bytes.substr(3), Encoding::Utf8);
    }
    if (StartsWith(bytes, "\xFF\xFE")) {
        return DecodeUtf16(bytes.substr(2), QStringDecoder::Utf16LE);
    }
    if (StartsWith(bytes, "\xFE\xFF")) {
        return DecodeUtf16(bytes.substr(2), QStringDecoder::Utf16BE);
    }
    return Decode(bytes, DetectEncoding(bytes));
}

std::variant<Poem, Refusal> ReadPoemWithin(std::string_view bytes, const PoemLimits& limits,
                                           std::vector<std::int32_t>* rows) {
    if (std::ssize(bytes) > limits.largestFile) {
        return TooLarge(limits);
    }
    const QString text = DecodePoem(bytes);
    return RowWalk(text, limits, rows).Run();
}

std::variant<Poem, Refusal> ReadPoem(std::string_view bytes) {
    return ReadPoemWithin(bytes, PoemLimits{});
}

std::variant<Poem, Refusal> ReadPoemFile(const QString& path) {
    return ReadPoemFileWithin(path, PoemLimits{});
}

}  // namespace corvale::firstpass
