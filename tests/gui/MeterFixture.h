#pragma once

// Window tests of the meter check: poems whose lines are off the meter in known ways, and the
// cues, status and overview read back as a person sees them.

#include "gui/KeyboardFixture.h"
#include "window/MeterCue.h"
#include "window/Overview.h"
#include "window/ViewOptions.h"

#include <QLabel>

#include <string>
#include <vector>

namespace corvale::test {

inline constexpr char kIambic6[] = "W\tS\tW\tS\tW\tS";

// A verse whose syllables are "a", "b", ... with these stresses (split at "|"), junctures 2.
inline Verse Stressed(const std::string& stresses, const std::string& text = "") {
    Verse verse{text, {}, {}, {}, ""};
    std::string rest = stresses + "|";
    for (std::size_t bar = rest.find('|'); bar != std::string::npos; bar = rest.find('|')) {
        verse.syllables.push_back(std::string(1, static_cast<char>('a' + verse.stresses.size())));
        verse.stresses.push_back(rest.substr(0, bar));
        verse.junctures.push_back("2");
        rest.erase(0, bar + 1);
    }
    if (verse.text.empty()) {
        verse.text = "verse " + stresses;
    }
    return verse;
}

class MeterFixture : public KeyboardFixture {
protected:
    bool StartPoem(const std::vector<Verse>& verses, const std::string& meterLine = kIambic6,
                   const std::string& lastLine = "1", const std::string& spacing = "0") {
        platform.WriteFile(kPoem, ScansionFile(verses));
        platform.WriteFile("meter.txt", Rows({meterLine}));
        platform.WriteFile("RememberEarlierRun.txt",
                           MemoryFile(kPoem, lastLine, "4", "1", "4", "1", spacing));
        return Start();
    }

    // The columns whose cue shows, ascending.
    std::vector<int> CuedColumns() const {
        std::vector<int> columns;
        for (int i = 1; i <= form->lblOffMeter.Count(); ++i) {
            if (form->lblOffMeter(i)->IsShown()) {
                columns.push_back(i);
            }
        }
        return columns;
    }
    std::string Status() const { return form->lblMeterStatus->text().toStdString(); }
    void Trigger(const char* action) const {
        form->Keys().Find(QString::fromLatin1(action))->trigger();
    }
    Overview* TheOverview() const { return form->OverviewDock(); }
    std::string ViewFile() const { return platform.ReadFile(kViewOptionsFileName); }
};

}  // namespace corvale::test
