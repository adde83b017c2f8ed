#include "export/ExportFiles.h"

namespace corvale::exports {

namespace {

Refusal Refused(const char* message) {
    return Refusal{message, 0};
}

}  // namespace

Refusal ExportRefusal(const LoadRefusal& refused) {
    using Why = LoadRefusal::Why;
    switch (refused.why) {
        case Why::NoSuchFile:
        case Why::NotAFile:
        case Why::TooLarge:
        case Why::Unreadable:
            return Refusal{"cannot be read: " + refused.refusal.message, 0};
        case Why::NotScansion:
            return Refused(
                "not a scansion file: its first rows are not a record of syllables, stress, "
                "juncture and comment");
        case Why::InAnotherForm:
        case Why::NotTaken:
        case Why::BadRecord:
            break;
    }
    return refused.refusal;
}

}  // namespace corvale::exports
