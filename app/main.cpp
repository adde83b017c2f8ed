#include "window/Form1.h"
#include "window/QtPlatform.h"

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
