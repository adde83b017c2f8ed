// Reading a poem file from any path. The file is only ever read, so it may lie outside the
// program's folder.
#include "firstpass/PoemReader.h"

#include "platform/FileAtPath.h"

#include <cstring>

namespace corvale::firstpass {

std::variant<std::string, Refusal> ReadPoemBytes(const QString& path, const PoemLimits& limits) {
    std::variant<std::string, ReadFailure> read = ReadFileAtPath(path, limits.largestFile);
    if (auto* bytes = std::get_if<std::string>(&read)) {
        return std::move(*bytes);
    }
    const ReadFailure failure = std::get<ReadFailure>(read);
    switch (failure.why) {
        case ReadFailure::Why::NotNamed:
            return Refusal{"No poem file is named.", 0};
        case ReadFailure::Why::Missing:
            return Refusal{"There is no such poem file.", 0};
        case ReadFailure::Why::Folder:
            return Refusal{"This is a folder, not a poem file.", 0};
        case ReadFailure::Why::NotOrdinary:
            return Refusal{
                "This is not an ordinary file (a FIFO, a device or a socket): Corvale reads "
                "poems from ordinary files only.",
                0};
        case ReadFailure::Why::TooLarge:
            return TooLarge(limits);
        case ReadFailure::Why::System:
            break;
    }
    return Refusal{
        std::string("The poem file cannot be read: ") + std::strerror(failure.error) + ".", 0};
}

std::variant<Poem, Refusal> ReadPoemFileWithin(const QString& path, const PoemLimits& limits,
                                               std::vector<std::int32_t>* rows) {
    std::variant<std::string, Refusal> read = ReadPoemBytes(path, limits);
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return std::move(*refusal);
    }
    std::string& bytes = std::get<std::string>(read);
    if (std::optional<Refusal> refusal = RefuseBytes(bytes, limits)) {
        return *refusal;
    }
    DecodedPoem decoded = DecodePoem(bytes);
    const std::size_t size = bytes.size();
    std::string().swap(bytes);  // a long poem is held once, decoded, not twice
    return ReadDecoded(std::move(decoded), size, limits, rows);
}

}  // namespace corvale::firstpass
