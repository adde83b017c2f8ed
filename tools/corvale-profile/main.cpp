#include "ProfileTool.h"

int main(int argc, char* argv[]) {
    return corvale::tools::ToolMain(argc, argv, "corvale-profile", corvale::RunProfileTool);
}
