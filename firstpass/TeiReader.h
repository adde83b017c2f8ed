#pragma once

// Poems in TEI, as the published scansion corpora hold them: the text of each <l> (in the TEI
// namespace, or none) is a verse line, whatever markup lies inside it; the header and notes are
// left out. A stanza (<lg>) needs no mark: the scan takes verse lines only, as a plain poem's
// blank rows are no verse lines either.
//
// Nothing is ever fetched: a DOCTYPE naming a DTD by address is read and the DTD left alone. An
// entity whose text is not in the file is refused rather than silently dropped, and so is one
// that expands past the XML reader's limit.

#include "firstpass/PoemReader.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <variant>
#include <vector>

namespace corvale::firstpass {

// The text begins, after any BOM and blanks, with "<?xml", "<!DOCTYPE" or "<TEI".
bool LooksLikeTei(QStringView text);

// The verse lines of a TEI document, already decoded. A run of whitespace that holds a line
// break and lies between two tags is dropped; any other run of whitespace is one space. With
// `rows`, also the row of each verse line's <l>. Refuses a document the XML reader cannot take
// (naming the row where it stopped), and one without an <l> that holds text.
std::variant<Poem, Refusal> ReadTeiPoem(QString text, const PoemLimits& limits,
                                        std::vector<std::int32_t>* rows = nullptr);

}  // namespace corvale::firstpass
