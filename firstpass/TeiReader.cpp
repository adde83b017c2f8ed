#include "firstpass/TeiReader.h"

#include <QXmlStreamReader>

#include <optional>
#include <string>

namespace corvale::firstpass {

namespace {

constexpr QStringView kTeiNamespace = u"http://www.tei-c.org/ns/1.0";

std::string Utf8(QStringView text) {
    return text.toString().toStdString();
}

// The reader wants an XML declaration at the very start, but a decoded text needs nothing from
// it (its encoding is the one the text was decoded from): it becomes blanks, so that the rows
// stay where they were.
void BlankDeclaration(QString& text) {
    const qsizetype start = text.indexOf(u"<?xml");
    if (start < 0 || !QStringView(text).first(start).trimmed().isEmpty()) {
        return;
    }
    const qsizetype end = text.indexOf(u"?>", start);
    if (end >= 0) {
        text.replace(start, end + 2 - start, QString(end + 2 - start, u' '));
    }
}

bool HoldsLineBreak(QStringView run) {
    return run.contains(u'\n') || run.contains(u'\r') || run.contains(QChar(0x2028)) ||
           run.contains(QChar(0x2029)) || run.contains(QChar(0x85));
}

class TeiWalk {
public:
    TeiWalk(QString& text, const PoemLimits& limits, std::vector<std::int32_t>* rows)
        : xml_(text), limits_(limits), rows_(rows) {}

    std::variant<Poem, Refusal> Run() {
        while (!xml_.atEnd()) {
            std::optional<Refusal> refusal;
            switch (xml_.readNext()) {
                case QXmlStreamReader::DTD:
                    refusal = RefuseExternalEntities();
                    break;
                case QXmlStreamReader::StartElement:
                    Start();
                    break;
                case QXmlStreamReader::EndElement:
                    refusal = End();
                    break;
                case QXmlStreamReader::Characters:
                    if (lineDepth_ > 0 && skipDepth_ == 0) {
                        run_ += xml_.text();
                    }
                    break;
                case QXmlStreamReader::EntityReference:
                    refusal = Refusal{"The entity &" + Utf8(xml_.name()) +
                                          "; cannot be resolved: it is declared outside the "
                                          "file, and Corvale fetches nothing. Write the "
                                          "character it stands for instead.",
                                      xml_.lineNumber()};
                    break;
                default:
                    break;
            }
            if (refusal) {
                return *refusal;
            }
        }
        if (xml_.hasError()) {
            return Malformed();
        }
        if (poem_.verseLines.empty()) {
            return Refusal{
                "The TEI file holds no verse lines (no <l> element with text in it): there is "
                "nothing to scan.",
                0};
        }
        return std::move(poem_);
    }

private:
    bool IsTei(QStringView name) const {
        return xml_.name() == name &&
               (xml_.namespaceUri().isEmpty() || xml_.namespaceUri() == kTeiNamespace);
    }

    // An external entity's text would be left out without a word: the reader fetches nothing.
    std::optional<Refusal> RefuseExternalEntities() const {
        for (const QXmlStreamEntityDeclaration& entity : xml_.entityDeclarations()) {
            if (!entity.systemId().isEmpty() && entity.notationName().isEmpty()) {
                return Refusal{"The entity \"" + Utf8(entity.name()) + "\" is external (\"" +
                                   Utf8(entity.systemId()) +
                                   "\"): Corvale fetches nothing, so its text would go "
                                   "missing. Write its text into the file instead.",
                               xml_.lineNumber()};
            }
        }
        return std::nullopt;
    }

    void Start() {
        if (skipDepth_ > 0 || IsTei(u"teiHeader") || IsTei(u"note")) {
            ++skipDepth_;
            return;
        }
        EndRun();
        if (IsTei(u"l") && lineDepth_++ == 0) {
            line_.clear();
            lineRow_ = xml_.lineNumber();
        }
    }

    std::optional<Refusal> End() {
        if (skipDepth_ > 0) {
            --skipDepth_;
            return std::nullopt;
        }
        EndRun();
        if (!IsTei(u"l") || lineDepth_ == 0 || --lineDepth_ > 0) {
            return std::nullopt;
        }
        const QString line = CleanVerseLine(line_).simplified();
        if (line.isEmpty()) {
            return std::nullopt;
        }
        if (std::ssize(poem_.verseLines) >= limits_.mostVerseLines) {
            return TooManyVerseLines(limits_, lineRow_);
        }
        poem_.verseLines.push_back(line.toStdString());
        if (rows_) {
            rows_->push_back(static_cast<std::int32_t>(lineRow_));
        }
        return std::nullopt;
    }

    // A tag ends the text before it. Whitespace alone across rows there is the file's layout,
    // such as the indentation between the feet of a line; any other text is the line's.
    void EndRun() {
        if (!run_.trimmed().isEmpty() || !HoldsLineBreak(run_)) {
            line_ += run_;
        }
        run_.clear();
    }

    Refusal Malformed() const {
        const QString error = xml_.errorString();
        if (error.contains(u"entity expansion limit")) {
            return {"An entity in this TEI file expands to more than " +
                        WithThousands(xml_.entityExpansionLimit()) +
                        " characters, the most Corvale expands: the file may be made to exhaust "
                        "the memory.",
                    xml_.lineNumber()};
        }
        return {"This TEI file is not well-formed XML: " + Utf8(error) +
                    (error.endsWith(u'.') ? "" : "."),
                xml_.lineNumber()};
    }

    QXmlStreamReader xml_;
    const PoemLimits& limits_;
    std::vector<std::int32_t>* rows_;
    Poem poem_;
    int skipDepth_ = 0;  // inside the header or a note: depth of elements left out
    int lineDepth_ = 0;  // depth of <l> elements (one inside another belongs to it)
    QString line_;       // the <l>'s text so far
    QString run_;        // text since the last tag
    std::int64_t lineRow_ = 0;
};

}  // namespace

bool LooksLikeTei(QStringView text) {
    qsizetype at = 0;
    while (at < text.size() && (text[at] == QChar(0xFEFF) || text[at].isSpace())) {
        ++at;
    }
    const QStringView start = text.sliced(at);
    return start.startsWith(u"<?xml") || start.startsWith(u"<!DOCTYPE") ||
           start.startsWith(u"<TEI");
}

std::variant<Poem, Refusal> ReadTeiPoem(QString text, const PoemLimits& limits,
                                        std::vector<std::int32_t>* rows) {
    BlankDeclaration(text);
    return TeiWalk(text, limits, rows).Run();
}

}  // namespace corvale::firstpass
