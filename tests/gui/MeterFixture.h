#pragma once

// Window tests of the meter check on Sonnet 116, whose lines off the meter are known: 2, 5, 6,
// 7, 8 and 12, and under the strict check also 1, 9, 11 and 14. The rule's own cases are the
// core's; these follow the window's wiring of it.

#include "gui/KeyboardFixture.h"
#include "window/MeterCue.h"
#include "window/Overview.h"
#include "window/ViewOptions.h"

#include <string>
#include <vector>

namespace corvale::test {

class MeterFixture : public KeyboardFixture {
protected:
    // The sample with its meter, the memory file at `line` and the view options file, if any.
    void UseSonnet116(const char* line = "1", const char* viewOptions = nullptr) {
        UseSample("sonnet116", "sonnet116.txt");
        platform.WriteFile(kMemory, MemoryFile("sonnet116.txt", line));
        if (viewOptions != nullptr) {
            platform.WriteFile(kViewOptionsFileName, viewOptions);
        }
    }
    void StartOnSonnet116(const char* line = "1", const char* viewOptions = nullptr) {
        UseSonnet116(line, viewOptions);
        ASSERT_TRUE(Start());
        Activate();
    }
    // The columns whose cue shows, ascending.
    std::vector<int> CuedColumns() const {
        std::vector<int> columns;
        for (int i = 1; i <= form->Grid().offMeterCues.Count(); ++i) {
            if (form->Grid().offMeterCues(i)->IsShown()) {
                columns.push_back(i);
            }
        }
        return columns;
    }
    std::string Status() const { return form->lineStatusLabel->text().toStdString(); }
    Overview* TheOverview() const { return form->OverviewDock(); }
};

}  // namespace corvale::test
