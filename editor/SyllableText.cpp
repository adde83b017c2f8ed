#include "editor/EditRules.h"

#include <QStringEncoder>

namespace corvale::editor {

namespace {

bool IsBreak(QChar c) {
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' ||
           c == u'\u2028' || c == u'\u2029';
}

// Trimming takes spaces alone, as everywhere in the program.
QString TrimSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == u' ') {
        --end;
    }
    return text.mid(begin, end - begin);
}

}  // namespace

QString WithoutBreaks(QString text) {
    for (QChar& c : text) {
        if (IsBreak(c)) {
            c = u' ';
        }
    }
    return text;
}

QString FirstUnencodable(const QString& text, Encoding encoding) {
    if (encoding == Encoding::Utf8) {
        return {};
    }
    // One character at a time, so a surrogate pair is judged whole.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        QStringEncoder encoder("windows-1252");
        const QByteArray bytes = encoder.encode(character);
        if (encoder.hasError() || (bytes == "\x1a" && character != QStringLiteral("\x1a"))) {
            return character;
        }
        i += length;
    }
    return {};
}

TypedSyllable TakeTypedSyllable(const QString& typed, std::string_view old, Encoding encoding) {
    if (typed == Decode(old, encoding)) {
        return {TypedVerdict::Unchanged, std::string(old)};
    }
    const QString text = TrimSpaces(WithoutBreaks(typed));
    if (text.isEmpty()) {
        return {TypedVerdict::Blank, std::string(old)};
    }
    if (!FirstUnencodable(text, encoding).isEmpty()) {
        return {TypedVerdict::NotEncodable, std::string(old)};
    }
    std::string bytes = Encode(text, encoding);
    const TypedVerdict verdict = bytes == old ? TypedVerdict::Unchanged : TypedVerdict::Taken;
    return {verdict, std::move(bytes)};
}

}  // namespace corvale::editor
