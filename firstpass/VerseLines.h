#pragma once

// A poem's verse lines held as one text, each line followed by a line feed, which no verse line
// holds: a long poem of short lines takes little more than its own bytes, where a string for each
// line would take several times them. Lines are read in order, as the scan's passes read them.

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::firstpass {

class VerseLines {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string_view*;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const std::string* text, std::size_t at) : text_(text), at_(at) {}
        std::string_view operator*() const {
            return std::string_view(*text_).substr(at_, text_->find('\n', at_) - at_);
        }
        const_iterator& operator++() {
            at_ = text_->find('\n', at_) + 1;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& other) const { return at_ == other.at_; }

    private:
        const std::string* text_ = nullptr;
        std::size_t at_ = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;

    VerseLines() = default;
    VerseLines(std::initializer_list<std::string_view> lines) {
        for (const std::string_view line : lines) {
            push_back(line);
        }
    }
    VerseLines(const std::vector<std::string>& lines) {  // NOLINT: a poem from a list of lines
        for (const std::string& line : lines) {
            push_back(line);
        }
    }

    // Precondition: the line holds no line feed.
    void push_back(std::string_view line) {
        text_.append(line).push_back('\n');
        ++count_;
    }
    // Room for this many bytes of lines, line feeds included.
    void reserve(std::size_t bytes) { text_.reserve(bytes); }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const_iterator begin() const { return {&text_, 0}; }
    const_iterator end() const { return {&text_, text_.size()}; }

    bool operator==(const VerseLines& other) const = default;
    bool operator==(const std::vector<std::string>& lines) const {
        return std::equal(begin(), end(), lines.begin(), lines.end());
    }

private:
    std::string text_;
    std::size_t count_ = 0;
};

}  // namespace corvale::firstpass
