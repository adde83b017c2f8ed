#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

#include <string>
#include <string_view>

namespace corvale {

// Texts are kept as the bytes read, so an unchanged file saves back byte for byte. For the
// screen they are decoded, and typed text is encoded back, with one encoding per file: UTF-8
// when the whole file is valid UTF-8, otherwise Windows-1252, the code page such files
// usually come from.
enum class Encoding { Utf8, Windows1252 };

Encoding DetectEncoding(std::string_view bytes);

// How far bytes are from valid UTF-8: the valid sequences of more than one byte, the bytes that
// belong to no valid sequence (each of which a UTF-8 decoder turns into one U+FFFD), and the
// offset of the first of those.
struct Utf8Tally {
    std::int64_t multiByte = 0;
    std::int64_t invalid = 0;
    std::size_t firstInvalid = std::string_view::npos;
};
Utf8Tally TallyUtf8(std::string_view bytes);
QString Decode(std::string_view bytes, Encoding encoding);
// Characters the encoding cannot hold become "?".
std::string Encode(const QString& text, Encoding encoding);

// A path given as bytes, which need not be UTF-8 (as a command line gives it): decoded as UTF-8,
// each byte of an invalid sequence kept as the lone surrogate U+DC00 + byte. PathBytes gives
// back exactly those bytes, so the file named is the file opened, outputs named after it keep
// its bytes, and messages quote it as given.
QString PathFromBytes(std::string_view bytes);
std::string PathBytes(const QString& path);

}  // namespace corvale
