#pragma once

#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"
#include "window/MainWindow.h"

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

#include <memory>
#include <string>

namespace corvale::test {

// The bundled samples the window tests open most, and the memory file's name.
inline constexpr char kSonnet[] = "sonnet18.txt";
inline constexpr char kTyger[] = "tyger.txt";
inline constexpr char kMemory[] = "RememberEarlierRun.txt";
// The text of Sonnet 18's second verse line.
inline constexpr char kSonnetLine2[] = "Thou art more lovely and more temperate:";

// A window test: files go into the scripted platform's folder, then Start() builds MainWindow and
// runs its start-up as the program does.
class WindowFixture : public ::testing::Test {
protected:
    // Copies the bundled sample's scansion file, meter file and memory file into the folder.
    void UseSample(const std::string& poem, const std::string& scansionFile);
    // Builds the window and runs StartUp; shows the window when start-up completed, as the
    // program does. Returns what StartUp returned.
    bool Start();

    // The control with this objectName, e.g. "stressBoxes(3)"; fails the test when missing.
    template <typename T = QWidget>
    T* Find(const QString& name) const {
        T* found = form->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
        return found;
    }
    // The name of element i of a control array, e.g. Cell("stressBoxes", 3) -> "stressBoxes(3)".
    static QString Cell(const char* array, int i) {
        return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i);
    }
    // The control exists and is visible.
    bool Shown(const QString& name) const {
        const QWidget* control = Find(name);
        return control != nullptr && control->isVisible();
    }
    // Clicks a visible button with the mouse, as a person would.
    void Click(const QString& buttonName) const;

    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> form;
};

}  // namespace corvale::test
