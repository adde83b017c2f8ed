#include "firstpass/TeiReader.h"

#include "firstpass/TeiEntities.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <array>
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

// What the reader does with an element.
enum class Rule {
    Text,          // its text is the line's
    LeftOut,       // it and all inside it are left out: the header, notes, deletions, running heads
    Space,         // a line or column break: a space
    Alternatives,  // <choice> or <app>: one of its readings is the line's
    Unknown,       // inside a verse line, an element the reader has no rule for: its text is kept
};

Rule RuleFor(QStringView name) {
    static const std::array<QStringView, 4> kLeftOut = {u"teiHeader", u"note", u"del", u"fw"};
    static const std::array<QStringView, 17> kText = {
        u"l",   u"lg",  u"seg",  u"sb",    u"caesura", u"rhyme", u"hi",   u"w",  u"pc",
        u"add", u"reg", u"corr", u"expan", u"orig",    u"sic",   u"abbr", u"lem"};
    const auto among = [name](const auto& names) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    if (among(kLeftOut)) {
        return Rule::LeftOut;
    }
    if (name == u"lb" || name == u"cb") {
        return Rule::Space;
    }
    if (name == u"choice" || name == u"app") {
        return Rule::Alternatives;
    }
    return among(kText) || name == u"rdg" ? Rule::Text : Rule::Unknown;
}

// How much a reading of <choice> or <app> is preferred: the regularised, corrected or expanded
// form over the original, erroneous or abbreviated one; the lemma over a reading. The first of
// the highest is taken.
int RankOf(QStringView alternatives, QStringView reading) {
    static const std::array<QStringView, 3> kPreferred = {u"reg", u"corr", u"expan"};
    static const std::array<QStringView, 3> kPlain = {u"orig", u"sic", u"abbr"};
    const auto among = [reading](const auto& names) {
        return std::find(names.begin(), names.end(), reading) != names.end();
    };
    if (alternatives == u"app") {
        return reading == u"lem" ? 2 : reading == u"rdg" ? 1 : 0;
    }
    return among(kPreferred) ? 2 : among(kPlain) ? 1 : 0;
}

// An open <choice> or <app> inside a verse line, and its readings so far.
struct Alternatives {
    QString kind;
    int depth = 0;  // the element's own depth
    QString best;
    int bestRank = -1;
    QString reading;  // the reading open now
    int readingRank = -1;
    bool inReading = false;
};

// The byte of UTF-8 text that `units` UTF-16 code units of it end at.
std::size_t ByteOffset(std::string_view utf8, qint64 units) {
    std::size_t at = 0;
    for (qint64 counted = 0; at < utf8.size() && counted < units; ++at) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        counted += (byte & 0xC0) == 0x80 ? 0 : byte >= 0xF0 ? 2 : 1;
    }
    while (at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80) {
        ++at;
    }
    return at;
}

class TeiWalk {
public:
    // The reader reads the document as UTF-8, which takes half the memory of the decoded text.
    TeiWalk(const QByteArray& utf8, const PoemLimits& limits, std::vector<std::int32_t>* rows)
        : text_(utf8.constData(), static_cast<std::size_t>(utf8.size())),
          xml_(utf8),
          limits_(limits),
          rows_(rows) {}

    std::variant<Poem, Refusal> Run() {
        while (!xml_.atEnd()) {
            std::optional<Refusal> refusal;
            switch (xml_.readNext()) {
                case QXmlStreamReader::DTD:
                    refusal = RefuseExternalEntities();
                    if (!refusal) {
                        refusal = RefuseEntityText(xml_.entityDeclarations(), text_,
                                                   ByteOffset(text_, xml_.characterOffset()));
                    }
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
    bool InTei() const {
        return xml_.namespaceUri().isEmpty() || xml_.namespaceUri() == kTeiNamespace;
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
        ++depth_;
        const Rule rule = InTei() ? RuleFor(xml_.name()) : Rule::Unknown;
        if (skipDepth_ > 0 || rule == Rule::LeftOut) {
            ++skipDepth_;
            return;
        }
        EndRun();
        const bool word = InTei() && xml_.name() == u"w";
        if (word && afterWord_) {
            Target() += u' ';  // words marked one by one, with nothing between them
        }
        afterWord_ = false;
        if (InTei() && xml_.name() == u"l" && lineDepth_++ == 0) {
            line_.clear();
            lineRow_ = xml_.lineNumber();
            return;
        }
        if (lineDepth_ == 0) {
            return;
        }
        StartReading();
        if (rule == Rule::Space) {
            Target() += u' ';
        } else if (rule == Rule::Alternatives) {
            Alternatives& opened = alternatives_.emplace_back();
            opened.kind = xml_.name().toString();
            opened.depth = depth_;
        } else if (rule == Rule::Unknown && !warned_) {
            warned_ = true;
            poem_.warnings.push_back({"<" + Utf8(xml_.qualifiedName()) +
                                          "> inside a verse line has no rule of its own: its "
                                          "text is read as part of the line",
                                      xml_.lineNumber()});
        }
    }

    // A child of an open <choice> or <app> begins one of its readings.
    void StartReading() {
        if (alternatives_.empty() || alternatives_.back().depth != depth_ - 1) {
            return;
        }
        Alternatives& open = alternatives_.back();
        open.reading.clear();
        open.readingRank = InTei() ? RankOf(open.kind, xml_.name()) : 0;
        open.inReading = true;
    }

    std::optional<Refusal> End() {
        const int depth = depth_--;
        if (skipDepth_ > 0) {
            --skipDepth_;
            return std::nullopt;
        }
        EndRun();
        afterWord_ = InTei() && xml_.name() == u"w";
        EndAlternatives(depth);
        if (!InTei() || xml_.name() != u"l" || lineDepth_ == 0 || --lineDepth_ > 0) {
            return std::nullopt;
        }
        alternatives_.clear();
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

    // A reading that ends is kept when it is the best so far; the alternatives that end give
    // their best reading to the text around them.
    void EndAlternatives(int depth) {
        if (alternatives_.empty()) {
            return;
        }
        Alternatives& open = alternatives_.back();
        if (open.inReading && depth == open.depth + 1) {
            open.inReading = false;
            if (open.readingRank > open.bestRank) {
                open.best = std::move(open.reading);
                open.bestRank = open.readingRank;
            }
        } else if (depth == open.depth) {
            const QString best = std::move(open.best);
            alternatives_.pop_back();
            Target() += best;
        }
    }

    // Where the text read now goes: the reading open in the innermost alternatives, or the line.
    // Text between the readings themselves goes nowhere.
    QString& Target() {
        if (alternatives_.empty()) {
            return line_;
        }
        discarded_.clear();
        return alternatives_.back().inReading ? alternatives_.back().reading : discarded_;
    }

    // A tag ends the text before it. Whitespace alone across rows there is the file's layout,
    // such as the indentation between the feet of a line; any other text is the line's.
    void EndRun() {
        if (!run_.trimmed().isEmpty() || !HoldsLineBreak(run_)) {
            Target() += run_;
            if (!run_.trimmed().isEmpty()) {
                afterWord_ = false;
            }
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

    std::string_view text_;
    QXmlStreamReader xml_;
    const PoemLimits& limits_;
    std::vector<std::int32_t>* rows_;
    Poem poem_;
    int depth_ = 0;      // depth of elements
    int skipDepth_ = 0;  // inside an element left out: depth of elements left out
    int lineDepth_ = 0;  // depth of <l> elements (one inside another belongs to it)
    QString line_;       // the <l>'s text so far
    QString run_;        // text since the last tag
    QString discarded_;  // text between the readings of alternatives
    std::vector<Alternatives> alternatives_;
    bool afterWord_ = false;  // nothing but whitespace since a </w>
    bool warned_ = false;     // an element without a rule has been named
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
    const QByteArray utf8 = text.toUtf8();
    text = QString();
    return TeiWalk(utf8, limits, rows).Run();
}

}  // namespace corvale::firstpass
