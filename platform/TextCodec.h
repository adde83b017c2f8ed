#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace corvale {

// Texts are kept as the bytes read, so an unchanged file saves back byte for byte. For the
// screen they are decoded, and typed text is encoded back, with one encoding per file: UTF-8
// when the whole file is valid UTF-8, otherwise Windows-1252, the code page such files
// usually come from.
enum class Encoding { Utf8, Windows1252 };

Encoding DetectEncoding(std::string_view bytes);
QString Decode(std::string_view bytes, Encoding encoding);
// Characters the encoding cannot hold become "?".
std::string Encode(const QString& text, Encoding encoding);

}  // namespace corvale
