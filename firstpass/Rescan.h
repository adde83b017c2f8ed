#pragma once

// Rescanning the rest of a poem by what was learned from its first lines ("Rescan the rest as
// I read"): only the lines the metrist has not touched are rescanned. A line is untouched when
// it stands exactly as the first pass, under the conventions in force, would write it now: its
// syllables, its stress and juncture values and its comment (the pass's own notes, such as a
// reading taken for the meter, are known by being what the pass writes). Every other line was
// committed by hand, retyped, merged, split or given a comment of the metrist's, and is left as
// it stands.

#include "firstpass/Conventions.h"
#include "firstpass/FirstPass.h"
#include "platform/TextCodec.h"
#include "scansion/Store.h"

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace corvale::firstpass {

// A line's new record, UTF-8.
struct RescannedLine {
    std::int32_t line = 0;  // the store's row
    std::vector<std::string> syllables;
    std::vector<std::string> stresses;
    std::vector<std::string> junctures;
    std::string comment;
};

struct RescanPlan {
    std::vector<RescannedLine> rescanned;  // the untouched lines that the learned conventions
                                           // scan otherwise, in order
    std::int64_t untouched = 0;            // untouched lines, those rescanned among them
    std::int64_t kept = 0;                 // lines the metrist touched, left as they stand
};

// The plan for the store's lines from `first` to its last, under the file's meters (each its
// symbols, the main first: each line scanned against the one it is measured against, as the
// first pass writes a file of several), for a poem whose first pass ran under `inForce` and whose
// reader was learned to read by `learned`. `committedByHand` names the lines committed by hand,
// which are kept whatever they hold. The store's texts are in `encoding`. Refused or cancelled as
// the scan is.
std::variant<RescanPlan, Refusal, Cancelled> PlanRescan(
    const Store& store, Encoding encoding, const std::vector<std::vector<std::string>>& meters,
    std::int32_t first, const Conventions& inForce, const Conventions& learned,
    const std::function<bool(std::int32_t)>& committedByHand);

}  // namespace corvale::firstpass
