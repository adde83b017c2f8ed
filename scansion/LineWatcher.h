#pragma once

#include "scansion/Store.h"

#include <cstdint>

namespace corvale {

// Hears of every change to the verse lines a workspace holds as committed, so that whatever is
// counted over them can follow a change by the changed line's old and new versions alone.
class LineWatcher {
public:
    // Verse line j is about to be replaced by a commit or a journal restore: the store still
    // holds its old version.
    virtual void LineLeaving(const Store& store, std::int32_t j) = 0;
    // Verse line j now holds its new version.
    virtual void LineArrived(const Store& store, std::int32_t j) = 0;
    // A file was loaded into the store: every line may differ, and so may the meter.
    virtual void StoreLoaded(const Store& store) = 0;

protected:
    ~LineWatcher() = default;
};

}  // namespace corvale
