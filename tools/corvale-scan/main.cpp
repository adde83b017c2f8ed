#include "ScanTool.h"

int main(int argc, char* argv[]) {
    return corvale::tools::ToolMain(argc, argv, "corvale-scan", corvale::RunScanTool);
}
