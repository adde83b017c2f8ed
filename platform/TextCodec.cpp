#include "platform/TextCodec.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace corvale {

namespace {

// Length of the UTF-8 sequence starting at `at`, or 0 when it is not a valid one (stray
// continuation byte, overlong form, surrogate, beyond U+10FFFF, or cut short).
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(at);
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() - at < length) {
        return 0;
    }
    if (byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// Plain ASCII dominates real files: skip it eight bytes at a time.
std::size_t SkipAscii(std::string_view bytes, std::size_t at) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    while (bytes.size() - at >= sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
        at += sizeof word;
    }
    while (at < bytes.size() && static_cast<std::uint8_t>(bytes[at]) < 0x80) {
        ++at;
    }
    return at;
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        at = SkipAscii(bytes, at);
        if (at == bytes.size()) {
            break;
        }
        const std::size_t length = Utf8SequenceLength(bytes, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

constexpr char kWindows1252[] = "windows-1252";
constexpr char kSubstitute = '\x1a';

// The encoder writes the control character SUB for a character the code page lacks; the program
// shows "?" instead. The code page has one byte per character, so byte i stands for code point
// i, and a SUB that stands for a real U+001A stays.
void MarkUnmappable(const QString& text, std::string& bytes) {
    const QList<uint> codePoints = text.toUcs4();
    if (static_cast<std::size_t>(codePoints.size()) != bytes.size()) {
        return;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == kSubstitute && codePoints[static_cast<qsizetype>(i)] != 0x1A) {
            bytes[i] = '?';
        }
    }
}

}  // namespace

Encoding DetectEncoding(std::string_view bytes) {
    return IsValidUtf8(bytes) ? Encoding::Utf8 : Encoding::Windows1252;
}

Utf8Tally TallyUtf8(std::string_view bytes) {
    Utf8Tally tally;
    std::size_t at = 0;
    while (at < bytes.size()) {
        at = SkipAscii(bytes, at);
        if (at == bytes.size()) {
            break;
        }
        const std::size_t length = Utf8SequenceLength(bytes, at);
        if (length == 0) {
            tally.firstInvalid = std::min(tally.firstInvalid, at);
            ++tally.invalid;
            ++at;
        } else {
            ++tally.multiByte;
            at += length;
        }
    }
    return tally;
}

QString Decode(std::string_view bytes, Encoding encoding) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (encoding == Encoding::Utf8) {
        return QString::fromUtf8(view);
    }
    QStringDecoder decoder(kWindows1252);
    return decoder.decode(view);
}

std::string Encode(const QString& text, Encoding encoding) {
    if (encoding == Encoding::Utf8) {
        return text.toUtf8().toStdString();
    }
    QStringEncoder encoder(kWindows1252);
    std::string bytes = QByteArray(encoder.encode(text)).toStdString();
    if (encoder.hasError()) {
        MarkUnmappable(text, bytes);
    }
    return bytes;
}

namespace {

// The lone surrogates that stand for the bytes 0x80 to 0xFF of a path.
constexpr char16_t kEscapedByte = 0xDC00;

bool IsEscapedByte(const QString& text, qsizetype at) {
    const char16_t unit = text[at].unicode();
    return unit >= kEscapedByte + 0x80 && unit <= kEscapedByte + 0xFF &&
           (at == 0 || !text[at - 1].isHighSurrogate());
}

}  // namespace

QString PathFromBytes(std::string_view bytes) {
    QString path;
    std::size_t valid = 0;  // where the run of valid UTF-8 not yet decoded begins
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        path += Decode(bytes.substr(valid, at - valid), Encoding::Utf8);
        path += QChar(static_cast<char16_t>(kEscapedByte + static_cast<std::uint8_t>(bytes[at])));
        valid = ++at;
    }
    return path + Decode(bytes.substr(valid), Encoding::Utf8);
}

std::string PathBytes(const QString& path) {
    std::string bytes;
    qsizetype plain = 0;  // where the run of characters not yet encoded begins
    for (qsizetype at = 0; at < path.size(); ++at) {
        if (IsEscapedByte(path, at)) {
            bytes += Encode(path.sliced(plain, at - plain), Encoding::Utf8);
            bytes += static_cast<char>(path[at].unicode() - kEscapedByte);
            plain = at + 1;
        }
    }
    return bytes + Encode(path.sliced(plain), Encoding::Utf8);
}

}  // namespace corvale
