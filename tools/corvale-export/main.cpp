#include "ExportTool.h"

int main(int argc, char* argv[]) {
    return corvale::tools::ToolMain(argc, argv, "corvale-export", corvale::RunExportTool);
}
