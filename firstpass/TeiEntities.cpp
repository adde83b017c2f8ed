#include "firstpass/TeiEntities.h"

#include "firstpass/PoemReader.h"

#include <QString>

#include <algorithm>
#include <array>
#include <map>
#include <set>

namespace corvale::firstpass {

namespace {

// No entity name the reader takes is longer; a longer run after "&" is no reference.
constexpr qsizetype kLongestName = 256;

constexpr std::array<QStringView, 5> kPredefined = {u"amp", u"lt", u"gt", u"quot", u"apos"};

// The name of the entity reference "&name;" that begins at `at`; empty for a character
// reference and for an "&" that begins no reference.
QStringView ReferenceAt(QStringView text, qsizetype at) {
    qsizetype end = at + 1;
    while (end < text.size() && end - at <= kLongestName && text[end] != u';' &&
           text[end] != u'&' && text[end] != u'<' && !text[end].isSpace()) {
        ++end;
    }
    if (end >= text.size() || text[end] != u';' || end == at + 1 || text[at + 1] == u'#') {
        return {};
    }
    return text.sliced(at + 1, end - at - 1);
}

// What each declared entity expands to, entities inside it included, counted up to one past
// kLongestEntity.
class EntityLengths {
public:
    explicit EntityLengths(const QXmlStreamEntityDeclarations& declared) {
        for (const QXmlStreamEntityDeclaration& entity : declared) {
            values_.emplace(entity.name().toString(), entity.value().toString());
        }
    }

    // nullopt for a name the file does not declare.
    std::optional<std::int64_t> Of(QStringView name) {
        if (std::find(kPredefined.begin(), kPredefined.end(), name) != kPredefined.end()) {
            return 1;
        }
        const QString key = name.toString();
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
    std::int64_t Expanded(QStringView value) {
        std::int64_t length = 0;
        for (qsizetype at = 0; at < value.size() && length <= kLongestEntity;) {
            const QStringView reference =
                value[at] == u'&' ? ReferenceAt(value, at) : QStringView();
            if (reference.isEmpty()) {
                ++length;
                ++at;
                continue;
            }
            length += Of(reference).value_or(reference.size() + 2);
            at += reference.size() + 2;
        }
        return std::min(length, kLongestEntity + 1);
    }

    std::map<QString, QString> values_;
    std::map<QString, std::int64_t> lengths_;
    std::set<QString> inside_;
};

// Where the markup that begins at `at` ends when it is one the reader expands no entity in:
// a comment, a CDATA section or a processing instruction. `at` itself for any other text.
qsizetype PastUnexpanded(QStringView text, qsizetype at) {
    for (const auto& [open, close] : {std::pair<QStringView, QStringView>{u"<!--", u"-->"},
                                      {u"<![CDATA[", u"]]>"},
                                      {u"<?", u"?>"}}) {
        if (text.sliced(at).startsWith(open)) {
            const qsizetype end = text.indexOf(close, at + open.size());
            return end < 0 ? text.size() : end + close.size();
        }
    }
    return at;
}

// The row (from 1) of `at`, as the XML reader counts rows: at LF, and at a CR without an LF.
std::int64_t RowOf(QStringView text, qsizetype at) {
    std::int64_t row = 1;
    for (qsizetype i = 0; i < at; ++i) {
        row += text[i] == u'\n' ||
               (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'));
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
                                        QStringView text, qsizetype contentStart) {
    if (declared.isEmpty()) {
        return std::nullopt;
    }
    EntityLengths lengths(declared);
    const std::int64_t most = std::max<std::int64_t>(text.size(), kLeastEntityText);
    std::int64_t total = 0;
    for (qsizetype at = contentStart; at < text.size();) {
        if (const qsizetype past = text[at] == u'<' ? PastUnexpanded(text, at) : at; past != at) {
            at = past;
            continue;
        }
        const QStringView reference = text[at] == u'&' ? ReferenceAt(text, at) : QStringView();
        if (reference.isEmpty()) {
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
