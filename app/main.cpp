#include "platform/QtPlatform.h"
#include "startup/Form1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    corvale::QtPlatform platform;
    corvale::Form1 window(platform);
    platform.SetWindow(&window);
    if (!window.Form_Load()) {
        return 0;
    }
    window.show();
    return QApplication::exec();
}
