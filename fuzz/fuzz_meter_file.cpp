// Any bytes as the meter file: the meter line is the first row, and the count covers exactly
// the leading run of fields that hold more than spaces.

#include "fuzz_platform.h"
#include "scansion/FileNames.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"
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
    FuzzPlatform platform;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    platform.files[corvale::kMeterFileName] = bytes;
    Workspace workspace(platform);
    workspace.ReadMeterFile();
    Check(!platform.HasEnded() && platform.messageCount == 0, "an existing meter file failed");

    const std::string& line = workspace.Doc().Meter().line;
    Check(bytes.compare(0, line.size(), line) == 0, "meter line is not the file's start");
    Check(line.find('\n') == std::string::npos, "meter line holds a line end");
    const std::int32_t count = workspace.Doc().Meter().symbols;
    Check(count >= 0, "negative count");
    for (std::int32_t k = 1; k <= count; ++k) {
        Check(!corvale::num::IsBlank(corvale::fields::NthField(line, k)), "counted a blank field");
    }
    Check(corvale::num::IsBlank(corvale::fields::NthField(line, count + 1)),
          "stopped before a blank field");
    return 0;
}
