#pragma once

// Helpers shared by the window tests of the line editor and of navigation: files written into
// the scripted folder, and reading the window back the way a person sees it.

#include "support/TestFolder.h"
#include "support/WindowFixture.h"
#include "window/ClickableLabel.h"
#include "window/MainWindow.h"
#include "window/Placement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

#include <string>
#include <vector>

namespace corvale::test {

class LineEditorFixture : public WindowFixture {
protected:
    static constexpr char kPoem[] = "poem.txt";
    static constexpr char kMeter[] = "S\tW\tS\tW\tS\tW\tS\tW";

    // Writes a poem, an eight-symbol meter and the memory file, then starts the window.
    bool StartWith(const std::vector<Verse>& verses, const std::string& memory) {
        platform.WriteFile(kPoem, ScansionFile(verses));
        platform.WriteFile("meter.txt", Rows({kMeter}));
        platform.WriteFile("RememberEarlierRun.txt", memory);
        return Start();
    }

    std::string TextOf(const QString& name) const {
        auto* box = Find<QLineEdit>(name);
        return box == nullptr ? std::string("<missing>") : box->text().toStdString();
    }
    std::string CellText(const char* array, int i) const { return TextOf(Cell(array, i)); }
    bool CellShown(const char* array, int i) const { return Shown(Cell(array, i)); }
    double TopOf(const QString& name) const {
        auto* control = Find<QWidget>(name);
        return control == nullptr ? -1 : placement::PlaceOf(control).top;
    }
    void ClickCell(const char* array, int i) const { Click(Cell(array, i)); }
    void ClickLabel(QLabel* label) const { QTest::mouseClick(label, Qt::LeftButton); }

    // Types into a one-line box as a person would, replacing what it held.
    void TypeInto(QLineEdit* box, const QString& text) const {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void TypeComment(const QString& text) const {
        form->Grid().commentBox->moveCursor(QTextCursor::End);
        QTest::keyClicks(form->Grid().commentBox, text);
    }
    void GoTo(const QString& typed) {
        TypeInto(form->Grid().goToBox, typed);
        Click(QStringLiteral("goToButton"));
    }
    void OpenFile(const QString& typed) {
        TypeInto(form->fileNameBox, typed);
        form->openFileAction->trigger();
    }
    std::string Progress() const { return form->progressLabel->text().toStdString(); }
    std::string Comment() const { return form->Grid().commentBox->toPlainText().toStdString(); }
};

}  // namespace corvale::test
