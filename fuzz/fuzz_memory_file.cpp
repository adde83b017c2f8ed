// Any bytes as the memory file: reading never fails outward and says at most two things. What
// it leaves, written back and read again, gives the same settings.

#include "fuzz_platform.h"
#include "scansion/FileNames.h"
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
    workspace.Settings().Read();
    Check(!platform.HasEnded(), "reading the memory file ended the program");
    Check(platform.messageCount <= 2, "more than two messages");
    Check(workspace.Settings().LastLineDone() >= 0, "negative last line done");

    const std::string& name = workspace.Settings().WorkingFileName();
    if (name.empty() || name.find('\0') != std::string::npos) {
        return 0;  // such a name cannot be opened again, so the round trip would differ
    }
    platform.files[name] = "";
    workspace.SetCurrentLine(workspace.Settings().LastLineDone());
    Check(workspace.Settings().Write(workspace.CurrentLine()), "writing the memory file failed");
    Workspace next(platform);
    next.Settings().Read();
    Check(next.Settings().WorkingFileName() == workspace.Settings().WorkingFileName(),
          "file name changed");
    Check(next.Settings().LastLineDone() == workspace.CurrentLine(), "last line changed");
    Check(next.Settings().Bounds() == workspace.Settings().Bounds(), "bounds changed");
    Check(next.Settings().Spacing() == workspace.Settings().Spacing(), "spacing changed");
    return 0;
}
