#include "bench_support.h"

#include <QFile>

#include <array>

namespace corvale::bench {

namespace {

constexpr std::array<const char*, 24> kSyllables = {
    "Shall", "com",   "pare",  "thee", "to",    "sum", "mer's", "day?",
    "Thou",  "art",   "more",  "love", "ly",    "and", "tem",   "per",
    "ate:",  "Rough", "winds", "do",   "shake", "dar", "ling",  "buds"};

}  // namespace

std::string GenerateScansionFile(int lines) {
    std::string out;
    out.reserve(static_cast<std::size_t>(lines) * 330);
    for (int i = 1; i <= lines; ++i) {
        const int count = 10 + i % 5;  // 10..14 syllables, about twelve on average
        std::string text;
        std::string syllables;
        std::string stresses;
        std::string junctures;
        for (int k = 0; k < count; ++k) {
            const char* syllable = kSyllables[(i * 7 + k * 3) % kSyllables.size()];
            text += syllable;
            text += (k % 3 == 2) ? " " : "";
            syllables += std::string("\t") + syllable;
            stresses += (k % 2) ? "\t3" : "\t1";
            junctures += (k % 3 == 2) ? "\t2" : "\t1";
        }
        const std::string head = std::to_string(i) + "\t";
        out += head + "syllables\t" + text + syllables + "\r\n";
        out += head + "stress\t" + text + stresses + "\r\n";
        out += head + "juncture\t" + text + junctures + "\r\n";
        out += head + "comment\t" + text + "\t" + (i % 10 == 0 ? "check the caesura" : "") + "\r\n";
    }
    return out;
}

std::string GeneratePentameterFile(int lines) {
    std::string out;
    out.reserve(static_cast<std::size_t>(lines) * 260);
    for (int i = 1; i <= lines; ++i) {
        std::string text;
        std::string syllables;
        std::string stresses;
        for (int k = 1; k <= 10; ++k) {
            const char* syllable = kSyllables[(i * 5 + k * 3) % kSyllables.size()];
            text += syllable;
            text += " ";
            syllables += std::string("\t") + syllable;
            const bool stressed = i == lines ? k == 2 || k == 5 || k == 8 || k == 10 : k % 2 == 0;
            stresses += stressed ? "\t3" : "\t1";
        }
        const std::string head = std::to_string(i) + "\t";
        out += head + "syllables\t" + text + syllables + "\r\n";
        out += head + "stress\t" + text + stresses + "\r\n";
        out += head + "juncture\t" + text + "\t2\t2\t2\t2\t2\t2\t2\t2\t2\t4\r\n";
        out += head + "comment\t" + text + "\t\r\n";
    }
    return out;
}

std::string GenerateFullWidthFile(int lines, int width, const std::string& firstSyllable,
                                  const std::string& comment) {
    std::string out;
    for (int i = 1; i <= lines; ++i) {
        const std::string head = std::to_string(i) + "\t";
        const std::string text = "line " + std::to_string(i);
        std::string syllables;
        std::string stresses;
        std::string junctures;
        for (int k = 1; k <= width; ++k) {
            syllables += "\t" + (k == 1 ? firstSyllable : "s" + std::to_string(k));
            stresses += k % 2 ? "\t1" : "\t3";
            junctures += k % 4 ? "\t1" : "\t2";
        }
        out += head + "syllables\t" + text + syllables + "\r\n";
        out += head + "stress\t" + text + stresses + "\r\n";
        out += head + "juncture\t" + text + junctures + "\r\n";
        out += head + "comment\t" + text + "\t" + comment + "\r\n";
    }
    return out;
}

void BenchPlatform::Write(const std::string& name, const std::string& bytes) {
    QFile file(folder_.path() + "/" + QString::fromStdString(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

}  // namespace corvale::bench
