#include "ExportTool.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    return corvale::RunExportTool(QCoreApplication::arguments(), std::cout, std::cerr);
}
