#pragma once

// Which file start-up opens in the working folder, and at which line:
//   - a scansion file named on the command line: at the line the folder's memory file remembers
//     for it, else the line in the recent list, else line 1;
//   - otherwise the file the memory file names, at its line, as ever;
//   - without a memory file, the scansion file of the folder changed most recently
//     (NewestScansionFile), at line 1; without one, no file.
// A file without a meter is asked about (Workspace::OnNoMeter); given none, the window opens
// with no file. A poem named on the command line is offered to Scan a poem once the window is
// shown.

#include "scansion/Workspace.h"
#include "startup/RecentFiles.h"
#include "startup/WorkingFolder.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace corvale::startup {

struct Started {
    std::int32_t line = 0;        // the line to show
    std::optional<QString> poem;  // the path of a poem to offer to Scan a poem
};

// Reads the memory file, the scansion file and its meter into the workspace, and offers back a
// journal left by a crash. Ends the program (ProgramEnded) where start-up always has.
Started OpenAtStart(Workspace& work, const std::optional<StartFile>& file,
                    const RecentFiles& recent);

}  // namespace corvale::startup
