#pragma once

// The files opened last, across working folders, kept for the user rather than in any folder:
// File > Open Recent lists them, and a file opened by its path opens at the line last shown in
// it when its folder's memory file remembers none. The list is "recent-files.txt" in the user's
// folder (Platform::UserFolder), UTF-8, newest first, a row a file: the line, a tab, the
// absolute path.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace corvale::startup {

class RecentFiles {
public:
    static constexpr std::size_t kMost = 8;
    struct Entry {
        QString path;  // absolute and clean
        std::int32_t line = 1;
    };

    // The list kept in `userFolder`: empty when there is none, or none is kept (no folder).
    // Rows that are not a line and an absolute path are passed over.
    static RecentFiles Read(const QString& userFolder);
    // Replaces the kept list, creating the folder; false when it could not be written.
    bool Write(const QString& userFolder) const;

    // The file goes first, with the line last shown in it; one beyond kMost drops off.
    void Put(const QString& path, std::int32_t line);
    void Remove(const QString& path);
    std::optional<std::int32_t> LineOf(const QString& path) const;
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace corvale::startup
