#pragma once

// The text a TEI file's internal entities add, bounded before the XML reader expands any of it:
// a small file that refers many times to a long entity would otherwise take gigabytes. Each
// entity may expand to kLongestEntity characters at most, entities inside it included, and all
// references together to the larger of the file's own size in bytes and kLeastEntityText.

#include "firstpass/FirstPass.h"

#include <QXmlStreamEntityDeclarations>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvale::firstpass {

inline constexpr std::int64_t kLongestEntity = 4096;
inline constexpr std::int64_t kLeastEntityText = std::int64_t{1} << 20;

// Refuses a document (UTF-8) whose references to its declared entities after byte
// `contentStart` (the end of the DTD) pass those bounds, naming the row of the reference that
// passes one. A reference inside a comment, a CDATA section or a processing instruction is not
// counted, as the reader expands none there.
std::optional<Refusal> RefuseEntityText(const QXmlStreamEntityDeclarations& declared,
                                        std::string_view text, std::size_t contentStart);

}  // namespace corvale::firstpass
