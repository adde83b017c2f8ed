#include "firstpass/PoemReader.h"

#include "firstpass/TeiReader.h"
#include "platform/CodePoints.h"
#include "platform/TextCodec.h"
#include "scansion/RecordFormat.h"

#include <QStringDecoder>
#include <QStringView>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace corvale::firstpass {

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

bool HasByteOrderMark(std::string_view bytes) {
    return StartsWith(bytes, "\xEF\xBB\xBF") || StartsWith(bytes, "\xFF\xFE") ||
           StartsWith(bytes, "\xFE\xFF");
}

QString DecodeUtf16(std::string_view bytes, QStringDecoder::Encoding encoding) {
    QStringDecoder decoder(encoding);
    return decoder.decode(QByteArrayView(bytes.data(), std::ssize(bytes)));
}

// Besides CR and LF, the line and paragraph separators and NEL end a row: inside one they would
// glue two words together.
bool EndsRow(QChar c) {
    return c == u'\r' || c == u'\n' || c == QChar(0x2028) || c == QChar(0x2029) || c == QChar(0x85);
}

// Where the row beginning at `at` ends, and where the next one begins: CR LF ends a row once.
struct RowSpan {
    qsizetype end = 0;
    qsizetype next = 0;
};
RowSpan RowFrom(QStringView text, qsizetype at) {
    RowSpan span{at, at};
    while (span.end < text.size() && !EndsRow(text[span.end])) {
        ++span.end;
    }
    span.next = span.end;
    if (span.next < text.size()) {
        const bool crLf =
            text[span.end] == u'\r' && span.end + 1 < text.size() && text[span.end + 1] == u'\n';
        span.next += crLf ? 2 : 1;
    }
    return span;
}

// The row (from 1) that the end of `text` lies on.
std::int64_t RowAtEnd(QStringView text) {
    std::int64_t row = 1;
    for (qsizetype at = 0;; ++row) {
        const RowSpan span = RowFrom(text, at);
        if (span.end == text.size()) {
            return row;
        }
        at = span.next;
    }
}

// UTF-16 without a BOM, mostly of a script in the first 256 code points: a NUL in most of the
// code units, in the same half of each, and almost none in the other.
bool LooksLikeUtf16(std::string_view bytes) {
    std::array<std::int64_t, 2> nuls{};
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        nuls[at % 2] += bytes[at] == '\0';
    }
    const std::int64_t most = std::max(nuls[0], nuls[1]);
    const std::int64_t fewest = std::min(nuls[0], nuls[1]);
    return most * 10 >= std::ssize(bytes) / 2 * 7 && fewest * 10 <= most;
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

    // `fileSize` bounds what the verse lines take as UTF-8 (a Windows-1252 poem's apart), so
    // that they are held without growing past it.
    std::variant<Poem, Refusal> Run(std::size_t fileSize) {
        poem_.verseLines.reserve(fileSize);
        std::int64_t row = 0;
        for (qsizetype at = 0; at < text_.size();) {
            const RowSpan span = RowFrom(text_, at);
            if (std::optional<Refusal> refusal =
                    Take(QStringView(text_).sliced(at, span.end - at), ++row)) {
                return *refusal;
            }
            at = span.next;
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
        const QString line = CleanVerseLine(row.toString());
        if (line.isEmpty()) {
            return std::nullopt;  // a stanza break
        }
        if (std::ssize(poem_.verseLines) >= limits_.mostVerseLines) {
            return TooManyVerseLines(limits_, number);
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

// Scanning a poem of nothing but marks ("* * *") would give no syllable at all.
bool HasAWord(const Poem& poem) {
    return std::any_of(poem.verseLines.begin(), poem.verseLines.end(), [](std::string_view line) {
        const QString text = QString::fromUtf8(line.data(), std::ssize(line));
        for (qsizetype at = 0; at < text.size(); ++at) {
            if (IsLetterOrNumberAt(text, at)) {
                return true;
            }
        }
        return false;
    });
}

Warning BadBytes(QStringView before, std::int64_t count) {
    return {"not valid UTF-8; " + WithThousands(count) +
                (count == 1 ? " bad byte is" : " bad bytes are") +
                " read as U+FFFD (\xEF\xBF\xBD), the rest as UTF-8",
            RowAtEnd(before)};
}

// UTF-8 from `bytes`, when few enough of them are bad.
std::optional<DecodedPoem> DecodeUtf8(std::string_view bytes, bool declared) {
    const Utf8Tally tally = TallyUtf8(bytes);
    if (tally.invalid == 0) {
        return DecodedPoem{Decode(bytes, Encoding::Utf8), std::nullopt};
    }
    // At a tie, UTF-8 with a warning shows the one bad byte as U+FFFD, where Windows-1252 would
    // garble every good character ("\xE2\x80\x99" as three) and say nothing.
    if (!declared && tally.multiByte < tally.invalid) {
        return std::nullopt;
    }
    return DecodedPoem{
        Decode(bytes, Encoding::Utf8),
        BadBytes(Decode(bytes.substr(0, tally.firstInvalid), Encoding::Utf8), tally.invalid)};
}

}  // namespace

Refusal TooLarge(const PoemLimits& limits) {
    const std::int64_t mib = std::int64_t{1} << 20;
    const std::string size = limits.largestFile % mib == 0
                                 ? WithThousands(limits.largestFile / mib) + " MiB"
                                 : WithThousands(limits.largestFile) + " bytes";
    return {"The poem file is larger than " + size + ", the most Corvale reads.", 0};
}

Refusal TooManyVerseLines(const PoemLimits& limits, std::int64_t row) {
    return {"The poem has more than " + WithThousands(limits.mostVerseLines) +
                " verse lines, the most Corvale scans.",
            row};
}

std::string WithThousands(std::int64_t number) {
    std::string digits = std::to_string(number);
    const std::size_t first = digits.front() == '-' ? 1 : 0;
    for (std::size_t at = digits.size(); at > first + 3; at -= 3) {
        digits.insert(at - 3, 1, ',');
    }
    return digits;
}

QString CleanVerseLine(QString row) {
    // A byte order mark inside the text (files joined together) is no character of the poem's,
    // and a soft hyphen only says where a word may break.
    row.remove(QChar(0xFEFF));
    row.remove(QChar(0xAD));
    // A tab, or any other control character, would not survive as part of a row of the
    // scansion file: each becomes a space.
    for (QChar& c : row) {
        if (c.category() == QChar::Other_Control) {
            c = u' ';
        }
    }
    return row.trimmed();
}

DecodedPoem DecodePoem(std::string_view bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        return *DecodeUtf8(bytes.substr(3), true);
    }
    if (StartsWith(bytes, "\xFF\xFE")) {
        return {DecodeUtf16(bytes.substr(2), QStringDecoder::Utf16LE), std::nullopt};
    }
    if (StartsWith(bytes, "\xFE\xFF")) {
        return {DecodeUtf16(bytes.substr(2), QStringDecoder::Utf16BE), std::nullopt};
    }
    if (std::optional<DecodedPoem> utf8 = DecodeUtf8(bytes, false)) {
        return std::move(*utf8);
    }
    return {Decode(bytes, Encoding::Windows1252), std::nullopt};
}

std::optional<Refusal> RefuseBytes(std::string_view bytes, const PoemLimits& limits) {
    if (std::ssize(bytes) > limits.largestFile) {
        return TooLarge(limits);
    }
    if (!HasByteOrderMark(bytes) && bytes.find('\0') != std::string_view::npos &&
        LooksLikeUtf16(bytes)) {
        return Refusal{
            "The poem looks like UTF-16 without a byte order mark, which Corvale cannot tell "
            "for certain: save it as UTF-8, or as UTF-16 with a byte order mark, and scan it "
            "again.",
            0};
    }
    return std::nullopt;
}

std::variant<Poem, Refusal> ReadDecoded(DecodedPoem decoded, std::size_t fileSize,
                                        const PoemLimits& limits, std::vector<std::int32_t>* rows) {
    std::variant<Poem, Refusal> read = LooksLikeTei(decoded.text)
                                           ? ReadTeiPoem(std::move(decoded.text), limits, rows)
                                           : RowWalk(decoded.text, limits, rows).Run(fileSize);
    if (auto* poem = std::get_if<Poem>(&read)) {
        if (!HasAWord(*poem)) {
            return Refusal{
                "The poem has no verse lines: no row holds a word, only marks such as \"* * *\", "
                "so there is nothing to scan.",
                0};
        }
        if (decoded.badBytes) {
            poem->warnings.push_back(std::move(*decoded.badBytes));
        }
    }
    return read;
}

std::variant<Poem, Refusal> ReadPoemWithin(std::string_view bytes, const PoemLimits& limits,
                                           std::vector<std::int32_t>* rows) {
    if (std::optional<Refusal> refusal = RefuseBytes(bytes, limits)) {
        return *refusal;
    }
    return ReadDecoded(DecodePoem(bytes), bytes.size(), limits, rows);
}

std::variant<Poem, Refusal> ReadPoem(std::string_view bytes) {
    return ReadPoemWithin(bytes, PoemLimits{});
}

std::variant<Poem, Refusal> ReadPoemFile(const QString& path) {
    return ReadPoemFileWithin(path, PoemLimits{});
}

}  // namespace corvale::firstpass
