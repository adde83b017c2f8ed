#include "ProfileTool.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    return corvale::RunProfileTool(QCoreApplication::arguments(), std::cout, std::cerr);
}
