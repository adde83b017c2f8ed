// Any bytes as the memory file: reading never fails outward and says at most two things. What
// it leaves, written back and read again, gives the same settings.

#include "fuzz_platform.h"
#include "scansion/Workspace.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using corvale::Workspace;
using corvale::fuzz::Check;
using corvale::fuzz::FuzzPlatform;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte says which other files exist; the rest is the memory file.
    FuzzPlatform platform;
    if (data[0] & 1) {
        platform.files[corvale::kFallbackFileName] = "";
    }
    if (data[0] & 2) {
        platform.files["poem.txt"] = "";
    }
    platform.files[corvale::kMemoryFileName] =
        std::string(reinterpret_cast<const char*>(data) + 1, size - 1);

    Workspace workspace(platform);
    workspace.ReadMemoryFile();
    Check(!platform.HasEnded(), "reading the memory file ended the program");
    Check(platform.messageCount <= 2, "more than two messages");
    Check(workspace.LastLineDone >= 0, "negative last line done");

    const std::string& name = workspace.WorkingFileName;
    if (name.empty() || name.find('\0') != std::string::npos) {
        return 0;  // such a name cannot be opened again, so the round trip would differ
    }
    platform.files[name] = "";
    workspace.CurrentLine = workspace.LastLineDone;
    Check(workspace.WriteMemoryFile(), "writing the memory file failed");
    Workspace next(platform);
    next.ReadMemoryFile();
    Check(next.WorkingFileName == workspace.WorkingFileName, "file name changed");
    Check(next.LastLineDone == workspace.CurrentLine, "last line changed");
    Check(next.MaximumStress == workspace.MaximumStress, "maximum stress changed");
    Check(next.MinimumStress == workspace.MinimumStress, "minimum stress changed");
    Check(next.MaximumJuncture == workspace.MaximumJuncture, "maximum juncture changed");
    Check(next.MinimumJuncture == workspace.MinimumJuncture, "minimum juncture changed");
    Check(next.SpacingOfButtons == workspace.SpacingOfButtons, "spacing changed");
    return 0;
}
