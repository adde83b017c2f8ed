#pragma once

// What "Rescan the rest as I read" tells the metrist before asking: what it learned from the
// lines worked through, and what rescanning the rest would do.

#include "firstpass/Learning.h"
#include "firstpass/Rescan.h"

#include <QString>

namespace corvale {

// Each convention that moved, in words, with the lines' agreement before and after; or that
// the lines agree with the conventions in force as they are.
QString LearnedInWords(const firstpass::Learned& learned, const firstpass::Conventions& inForce);

// How many lines the rescan changes, how many it leaves and why.
QString PlanInWords(const firstpass::RescanPlan& plan);

// "1 line", "12 lines".
QString Lines(std::int64_t count);

}  // namespace corvale
