#pragma once

#include "support/TestFolder.h"
#include "support/WindowFixture.h"

#include <QLineEdit>
#include <QRectF>
#include <QString>
#include <QVariant>

#include <string>
#include <vector>

namespace corvale::test {

// A window started on a poem written for the test: "poem.txt", a meter and a memory file.
class GridFixture : public WindowFixture {
protected:
    static constexpr char kPoem[] = "poem.txt";

    void WritePoem(const std::vector<Verse>& verses, const std::string& meter,
                   const std::string& spacing = "0", const std::string& lastLine = "1") {
        platform.WriteFile(kPoem, ScansionFile(verses));
        platform.WriteFile("meter.txt", Rows({meter}));
        platform.WriteFile("RememberEarlierRun.txt",
                           MemoryFile(kPoem, lastLine, "4", "1", "4", "1", spacing));
    }

    bool StartWith(const std::vector<Verse>& verses, const std::string& meter = "W\tS\tW\tS",
                   const std::string& spacing = "0", const std::string& lastLine = "1") {
        WritePoem(verses, meter, spacing, lastLine);
        return Start();
    }

    // A verse of n syllables "s1".."sn", stresses 1, junctures 2.
    static Verse Plain(int n, const std::string& text = "a verse") {
        Verse verse{text, {}, {}, {}, ""};
        for (int k = 1; k <= n; ++k) {
            verse.syllables.push_back("s" + std::to_string(k));
            verse.stresses.push_back("1");
            verse.junctures.push_back("2");
        }
        return verse;
    }

    // The exact place in twips the layout gave a control.
    QRectF Twips(const QString& name) const {
        const QWidget* control = Find(name);
        return control == nullptr ? QRectF() : control->property("twips").toRectF();
    }

    QString TextOf(const char* array, int i) const {
        const auto* box = Find<QLineEdit>(Cell(array, i));
        return box == nullptr ? QString() : box->text();
    }
};

}  // namespace corvale::test
