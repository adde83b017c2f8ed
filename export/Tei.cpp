// TEI P5 in the shape of the published scansion corpora, written through QXmlStreamWriter.

#include "export/Export.h"
#include "export/ShownWords.h"
#include "scansion/Numbers.h"

#include <QFileInfo>
#include <QXmlStreamWriter>

namespace corvale::exports {

namespace {

const QString kTeiNamespace = QStringLiteral("http://www.tei-c.org/ns/1.0");

// XML 1.0 allows tab, line feed, carriage return and every character from U+0020 on but the
// surrogates, U+FFFE and U+FFFF; anything else a file holds becomes U+FFFD, so that the
// document stays well-formed.
QString XmlText(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            clean += text[i];
            clean += text[++i];
        } else if (c == u'\t' || c == u'\n' || c == u'\r' ||
                   (c >= 0x20 && !QChar::isSurrogate(c) && c != 0xFFFE && c != 0xFFFF)) {
            clean += text[i];
        } else {
            clean += QChar(QChar::ReplacementCharacter);
        }
    }
    return clean;
}

void WriteParagraph(QXmlStreamWriter& xml, const QString& element, const QString& text) {
    xml.writeStartElement(element);
    xml.writeTextElement(QStringLiteral("p"), text);
    xml.writeEndElement();
}

void WriteMetSym(QXmlStreamWriter& xml, const QString& mark, const QString& meaning) {
    xml.writeStartElement(QStringLiteral("metSym"));
    xml.writeAttribute(QStringLiteral("value"), mark);
    xml.writeCharacters(meaning);
    xml.writeEndElement();
}

void WriteHeader(QXmlStreamWriter& xml, const Source& source) {
    const QString name = XmlText(QFileInfo(source.fileName).fileName());
    xml.writeStartElement(QStringLiteral("teiHeader"));
    xml.writeStartElement(QStringLiteral("fileDesc"));
    xml.writeStartElement(QStringLiteral("titleStmt"));
    xml.writeTextElement(QStringLiteral("title"), QStringLiteral("Scansion of %1").arg(name));
    xml.writeEndElement();
    WriteParagraph(xml, QStringLiteral("publicationStmt"), QStringLiteral("Exported by Corvale."));
    QString meter = source.meter.Places() > 0
                        ? QStringLiteral("under the meter %1").arg(source.meter.Spelled())
                        : QStringLiteral("which has no meter");
    if (!source.further.empty()) {
        meter = QStringLiteral("under the meters %1").arg(source.meter.Spelled());
        for (const ExportMeter& further : source.further) {
            meter += (&further == &source.further.back() ? QStringLiteral(" and ")
                                                         : QStringLiteral(", ")) +
                     further.Spelled();
        }
    }
    WriteParagraph(xml, QStringLiteral("sourceDesc"),
                   QStringLiteral("The scansion file %1, %2.").arg(name, XmlText(meter)));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("encodingDesc"));
    xml.writeStartElement(QStringLiteral("metDecl"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("met real"));
    WriteMetSym(xml, QStringLiteral("+"),
                QStringLiteral("a strong place of the meter; a syllable stressed above 1"));
    WriteMetSym(xml, QStringLiteral("-"),
                QStringLiteral("a weak place of the meter; any other syllable"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

// Verse line j as <l>, under its meter. Its content is mixed, text and <sb/>, where added
// indentation would be text: the writer formats nothing inside it.
void WriteLine(QXmlStreamWriter& xml, const Source& source, std::int32_t j,
               const ExportMeter& meter, const std::vector<ShownSyllable>& syllables) {
    const auto text = [&source](std::string_view bytes) {
        return XmlText(Decode(bytes, source.encoding));
    };
    xml.writeStartElement(QStringLiteral("l"));
    xml.writeAttribute(QStringLiteral("n"), QString::number(j));
    if (meter.Places() > 0) {
        xml.writeAttribute(QStringLiteral("met"), meter.Marks());
    }
    xml.writeAttribute(QStringLiteral("real"), QString::fromLatin1(RealMarks(syllables)));
    xml.setAutoFormatting(false);
    for (std::size_t i = 0; i < syllables.size(); ++i) {
        if (i > 0 && syllables[i - 1].endsWord) {
            xml.writeCharacters(QStringLiteral(" "));
        } else if (i > 0) {
            xml.writeEmptyElement(QStringLiteral("sb"));
        }
        xml.writeCharacters(text(num::Trim(syllables[i].syllable)));
    }
    if (const std::string_view comment = source.store.Comment(j); !num::IsBlank(comment)) {
        xml.writeTextElement(QStringLiteral("note"), text(comment));
    }
    xml.writeEndElement();
    xml.setAutoFormatting(true);
}

}  // namespace

std::string TeiDocument(const Source& source) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("TEI"));
    xml.writeDefaultNamespace(kTeiNamespace);
    WriteHeader(xml, source);
    xml.writeStartElement(QStringLiteral("text"));
    xml.writeStartElement(QStringLiteral("body"));
    // A scansion file keeps verse lines, not stanzas: one group holds them all.
    xml.writeStartElement(QStringLiteral("lg"));
    ForEachVerseLine(source, [&xml, &source](const WalkedLine& line) {
        WriteLine(xml, source, line.number, line.meter, line.syllables);
    });
    xml.writeEndDocument();
    return bytes.toStdString();
}

}  // namespace corvale::exports
