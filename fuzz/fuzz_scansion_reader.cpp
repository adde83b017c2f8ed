// Any bytes as a scansion file: loading either fills the store or ends the program after
// exactly one message. A loaded store saves to a file that loads again without complaint, and
// saving that load again reaches a fixed point.

#include "fuzz_platform.h"
#include "scansion/Workspace.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using corvale::ProgramEnded;
using corvale::Workspace;
using corvale::fuzz::Check;
using corvale::fuzz::FuzzPlatform;

constexpr char kName[] = "poem.txt";
// A few bytes may number millions of verse lines without a record, and that loads; saving so
// many empty records would only slow the search, so such a store is not saved here.
constexpr std::int32_t kMostLinesSaved = 10'000;

bool Load(Workspace& workspace) {
    workspace.Settings().SetWorkingFileName(kName);
    try {
        workspace.LoadWorkingFile();
        return true;
    } catch (const ProgramEnded&) {
        return false;
    }
}

// Loads the bytes in a fresh run and gives back what saving them writes.
std::string Resave(const std::string& bytes) {
    FuzzPlatform platform;
    platform.files[kName] = bytes;
    Workspace workspace(platform);
    Check(Load(workspace), "a saved file failed to load");
    Check(platform.messageCount == 0, "a saved file drew a message");
    return workspace.Doc().ScansionFileBytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzPlatform platform;
    platform.files[kName] = std::string(reinterpret_cast<const char*>(data), size);
    Workspace workspace(platform);
    if (!Load(workspace)) {
        Check(platform.HasEnded(), "load stopped without ending the program");
        Check(platform.messageCount == 1, "an ended load must say why exactly once");
        return 0;
    }
    Check(platform.messageCount == 0, "a successful load drew a message");
    Check(workspace.Doc().NumberOfLines() >= 0 && workspace.Doc().NumberOfLines() <= 10'000'000,
          "number of verse lines out of range");
    Check(workspace.Doc().Positions() >= 0 && workspace.Doc().Positions() <= 1000,
          "syllable positions out of range");
    Check(workspace.Doc().GetStore().MaximumPositions() == workspace.Doc().Positions(),
          "store not sized to the document");
    if (workspace.Doc().NumberOfLines() > kMostLinesSaved) {
        return 0;
    }

    const std::string first = workspace.Doc().ScansionFileBytes();
    const std::string second = Resave(first);
    const std::string third = Resave(second);
    Check(second == third, "saving a saved file is not a fixed point");
    return 0;
}
