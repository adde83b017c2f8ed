#include "scansion/TabFields.h"

namespace corvale::fields {

std::string_view StripTrailingTabsAndSpaces(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\t' || text[end - 1] == ' ')) {
        --end;
    }
    return text.substr(0, end);
}

std::string_view FirstField(std::string_view text) {
    const std::size_t tab = text.find('\t');
    return tab == std::string_view::npos ? text : text.substr(0, tab);
}

std::string_view RemoveFirstField(std::string_view text) {
    const std::size_t tab = text.find('\t');
    return tab == std::string_view::npos ? std::string_view() : text.substr(tab + 1);
}

bool ConsistsOfDigits(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return true;
    }
    const std::size_t last = text.find_last_not_of(' ');
    for (const char c : text.substr(first, last - first + 1)) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::string_view NthField(std::string_view text, std::int32_t n) {
    if (n < 1) {
        return {};
    }
    // One forward scan: each step past a tab is one RemoveFirstField.
    for (std::int32_t field = 1; field < n; ++field) {
        if (text.empty()) {
            return {};
        }
        text = RemoveFirstField(text);
    }
    return FirstField(text);
}

}  // namespace corvale::fields
