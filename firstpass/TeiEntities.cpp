#include "firstpass/TeiEntities.h"

#include "firstpass/PoemReader.h"

#include <QString>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>

namespace corvale::firstpass {

namespace {

// No entity name the reader takes is longer; a longer run after "&" is no reference.
constexpr std::size_t kLongestName = 256;

constexpr std::array<std::string_view, 5> kPredefined = {"amp", "lt", "gt", "quot", "apos"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The name of the entity reference "&name;" that begins at `at` in UTF-8 text; empty for a
// character reference and for an "&" that begins no reference.
std::string_view ReferenceAt(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && end - at <= kLongestName && text[end] != ';' && text[end] != '&' &&
           text[end] != '<' && !IsBlank(text[end])) {
        ++end;
    }
    if (end >= text.size() || text[end] != ';' || end == at + 1 || text[at + 1] == '#') {
        return {};
    }
    return text.substr(at + 1, end - at - 1);
}

// A byte that begins a character of UTF-8 text.
bool BeginsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// What each declared entity expands to, entities inside it included, counted up to one past
// kLongestEntity.
class EntityLengths {
public:
    explicit EntityLengths(const QXmlStreamEntityDeclarations& declared) {
        for (const QXmlStreamEntityDeclaration& entity : declared) {
            values_.emplace(entity.name().toString().toStdString(),
                            entity.value().toString().toStdString());
        }
    }

    // nullopt for a name the file does not declare.
    std::optional<std::int64_t> Of(std::string_view name) {
        if (std::find(kPredefined.begin(), kPredefined.end(), name) != kPredefined.end()) {
            return 1;
        }
        const std::string key(name);
        if (const auto known = lengths_.find(key); known != lengths_.end()) {
            return known->second;
        }
        const auto value = values_.find(key);
        if (value == values_.end()) {
            return std::nullopt;
        }
        if (!inside_.insert(key).second) {
            return 0;  // an entity inside itself, which the XML reader refuses
        }
        const std::int64_t length = Expanded(value->second);
        inside_.erase(key);
        return lengths_[key] = length;
    }

private:
    std::int64_t Expanded(std::string_view value) {
        std::int64_t length = 0;
        for (std::size_t at = 0; at < value.size() && length <= kLongestEntity;) {
            const std::string_view reference =
                value[at] == '&' ? ReferenceAt(value, at) : std::string_view();
            if (reference.empty()) {
                length += BeginsCharacter(value[at]);
                ++at;
                continue;
            }
            length += Of(reference).value_or(std::ssize(reference) + 2);
            at += reference.size() + 2;
        }
        return std::min(length, kLongestEntity + 1);
    }

    std::map<std::string, std::string> values_;
    std::map<std::string, std::int64_t> lengths_;
    std::set<std::string> inside_;
};

// Where the markup that begins at `at` ends when it is one the reader expands no entity in:
// a comment, a CDATA section or a processing instruction. `at` itself for any other text.
std::size_t PastUnexpanded(std::string_view text, std::size_t at) {
    for (const auto& [open, close] : {std::pair<std::string_view, std::string_view>{"<!--", "-->"},
                                      {"<![CDATA[", "]]>"},
                                      {"<?", "?>"}}) {
        if (text.substr(at, open.size()) == open) {
            const std::size_t end = text.find(close, at + open.size());
            return end == std::string_view::npos ? text.size() : end + close.size();
        }
    }
    return at;
}

// The row (from 1) of `at`, as the XML reader counts rows: at LF, and at a CR without an LF.
std::int64_t RowOf(std::string_view text, std::size_t at) {
    std::int64_t row = 1;
    for (std::size_t i = 0; i < at; ++i) {
        row +=
            text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
    }
    return row;
}

Refusal TooLongAnEntity(std::int64_t row) {
    return {"An entity in this TEI file expands to more than " + WithThousands(kLongestEntity) +
                " characters, the most Corvale expands: the file may be made to exhaust the "
                "memory.",
            row};
}

Refusal TooMuchEntityText(std::int64_t most, std::int64_t row) {
    return {"The entities in this TEI file expand to more than " + WithThousands(most) +
                " characters in all, the most Corvale expands for a file of its length: the "
                "file may be made to exhaust the memory.",
            row};
}

}  // namespace

std::optional<Refusal> RefuseEntityText(const QXmlStreamEntityDeclarations& declared,
                                        std::string_view text, std::size_t contentStart) {
    if (declared.isEmpty()) {
        return std::nullopt;
    }
    EntityLengths lengths(declared);
    const std::int64_t most = std::max<std::int64_t>(std::ssize(text), kLeastEntityText);
    std::int64_t total = 0;
    for (std::size_t at = contentStart; at < text.size();) {
        if (const std::size_t past = text[at] == '<' ? PastUnexpanded(text, at) : at; past != at) {
            at = past;
            continue;
        }
        const std::string_view reference =
            text[at] == '&' ? ReferenceAt(text, at) : std::string_view();
        if (reference.empty()) {
            ++at;
            continue;
        }
        const std::int64_t length = lengths.Of(reference).value_or(0);
        if (length > kLongestEntity) {
            return TooLongAnEntity(RowOf(text, at));
        }
        total += length;
        if (total > most) {
            return TooMuchEntityText(most, RowOf(text, at));
        }
        at += reference.size() + 2;
    }
    return std::nullopt;
}

}  // namespace corvale::firstpass
