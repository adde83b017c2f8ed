#include "support/TestFolder.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef CORVALE_SOURCE_DIR
#error "CORVALE_SOURCE_DIR must name the project's source folder"
#endif

namespace corvale::test {

std::string Rows(const std::vector<std::string>& rows) {
    std::string out;
    for (const auto& row : rows) {
        out += row;
        out += "\r\n";
    }
    return out;
}

std::string MemoryFile(const std::string& fileName, const std::string& lastLine,
                       const std::string& maxStress, const std::string& minStress,
                       const std::string& maxJuncture, const std::string& minJuncture,
                       const std::string& spacing) {
    return Rows({"Filename:", fileName, "Last line done:", lastLine,
                 "Maximum value for stress:", maxStress, "Minimum value for stress:", minStress,
                 "Maximum value for juncture:", maxJuncture,
                 "Minimum value for juncture:", minJuncture, "Spacing of buttons:", spacing});
}

namespace {
std::string Row(int number, const std::string& keyword, const std::string& text,
                const std::vector<std::string>& values) {
    std::string row = std::to_string(number) + "\t" + keyword + "\t" + text;
    for (const auto& v : values) {
        row += "\t" + v;
    }
    return row;
}
}  // namespace

std::vector<std::string> RecordRows(int number, const Verse& verse) {
    return {Row(number, "syllables", verse.text, verse.syllables),
            Row(number, "stress", verse.text, verse.stresses),
            Row(number, "juncture", verse.text, verse.junctures),
            Row(number, "comment", verse.text, {verse.comment})};
}

std::string ScansionFile(const std::vector<Verse>& verses) {
    std::vector<std::string> rows;
    int number = 0;
    for (const auto& verse : verses) {
        for (auto& row : RecordRows(++number, verse)) {
            rows.push_back(std::move(row));
        }
    }
    return Rows(rows);
}

std::string SampleFile(const std::string& poem, const std::string& file) {
    return SourceFile("samples/" + poem + "/" + file);
}

std::string SourceFile(const std::string& relative) {
    const std::string path = std::string(CORVALE_SOURCE_DIR) + "/" + relative;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("missing source file " + path);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace corvale::test
