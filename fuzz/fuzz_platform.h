#pragma once

// A platform for fuzzing: files live in memory (the input is served as one of them), nothing
// touches the disk, messages are counted, and the end of the program is recorded. EndProgram
// still throws ProgramEnded, which each target catches as the window's boundary would.

#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

namespace corvale::fuzz {

class FuzzPlatform : public Platform {
public:
    void ShowMessage(const QString& text) override {
        ++messageCount;
        lastMessage = text;
    }
    Answer AskYesNo(const QString&, Escape) override { return Answer::Yes; }
    QString ProgramFolder() const override { return QStringLiteral("/nonexistent-corvale-fuzz"); }

    std::optional<bool> IsOrdinaryFile(std::string_view name) const override {
        if (name.find('\0') != std::string_view::npos) {
            return std::nullopt;
        }
        return files.find(name) != files.end();
    }
    std::optional<std::int64_t> FileSize(std::string_view name) const override {
        const auto file = files.find(name);
        if (file == files.end()) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(file->second.size());
    }
    std::optional<std::string> ReadWholeFile(std::string_view name) const override {
        const auto file = files.find(name);
        if (file == files.end()) {
            return std::nullopt;
        }
        return file->second;
    }
    bool ReplaceFiles(std::span<const FileBytes> replaced) override {
        for (const FileBytes& file : replaced) {
            files[std::string(file.name)] = std::string(file.bytes);
        }
        return true;
    }

    std::map<std::string, std::string, std::less<>> files;
    int messageCount = 0;
    QString lastMessage;

protected:
    void OnEnd() override {}
};

// Stops the run with a finding the fuzzer reports (and keeps the input that caused it).
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void Check(bool condition, const char* what) {
    if (!condition) {
        Fail(what);
    }
}

}  // namespace corvale::fuzz
