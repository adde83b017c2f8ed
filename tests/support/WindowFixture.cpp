#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QTest>

namespace corvale::test {

void WindowFixture::UseSample(const std::string& poem, const std::string& scansionFile) {
    platform.WriteFile(scansionFile, SampleFile(poem, scansionFile));
    platform.WriteFile("meter.txt", SampleFile(poem, "meter.txt"));
    platform.WriteFile("RememberEarlierRun.txt", SampleFile(poem, "RememberEarlierRun.txt"));
}

bool WindowFixture::Start() {
    form = std::make_unique<MainWindow>(platform);
    const bool loaded = form->StartUp();
    if (loaded) {
        form->show();
    }
    return loaded;
}

void WindowFixture::Click(const QString& buttonName) const {
    auto* button = Find<QAbstractButton>(buttonName);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible()) << buttonName.toStdString() << " is hidden";
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace corvale::test
