#pragma once

#include "scansion/Store.h"

#include <cstdint>

namespace corvale {

// Hears what changes in a document (scansion/Document.h): each verse line a commit or a journal
// restore replaces, by its old and new versions, so that whatever is counted over the lines can
// follow a change by that line alone; every load; and whether there are unsaved corrections.
// A watcher hears only what it overrides.
class DocumentWatcher {
public:
    // Verse line j is about to be replaced: the store still holds its old version.
    virtual void LineChanging(const Store& store, std::int32_t j);
    // Verse line j now holds its new version.
    virtual void LineChanged(const Store& store, std::int32_t j);
    // A file was loaded into the store: every line may differ, and so may the meter.
    virtual void Loaded(const Store& store);
    // The document now holds unsaved corrections, or no longer does.
    virtual void ModifiedChanged(bool modified);

protected:
    ~DocumentWatcher() = default;
};

}  // namespace corvale
