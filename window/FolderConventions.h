#pragma once

// The working folder's conventions.txt, as the window's first pass takes it: Scan a poem and
// "Rescan the rest as I read" read it, "Save the conventions..." writes it.

#include "firstpass/ConventionsFile.h"
#include "platform/Platform.h"

#include <QString>

#include <variant>

namespace corvale {

// The folder's conventions: the defaults when there is no conventions.txt, or when the file of
// that name is not Corvale's (a poem so named). Otherwise the file as read, or, for a file that
// cannot be read or holds a bad row, what to tell the user: "conventions.txt, row 3: ...".
// Nothing is taken from a file refused.
std::variant<firstpass::ConventionsRead, QString> ReadFolderConventions(const Platform& platform);

// The rows the file's reader passed over (an unknown name, a name given twice), one sentence
// each; empty when there were none.
QString ConventionsWarnings(const firstpass::ConventionsRead& read);

}  // namespace corvale
