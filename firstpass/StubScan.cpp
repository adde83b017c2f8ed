// Placeholder until the real pass lands: every word one syllable, stress 3, the meter one
// strong place per syllable of the longest line.
#include "firstpass/FirstPass.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace corvale::firstpass {

std::variant<Scansion, Refusal, Cancelled> Scan(const Poem& poem, const Options& options) {
    Scansion result;
    std::size_t longest = 0;
    std::int64_t done = 0;
    for (const std::string& line : poem.verseLines) {
        if (options.progress && !options.progress(done, std::ssize(poem.verseLines)))
            return Cancelled{};
        const QStringList words = QString::fromStdString(line).split(u' ', Qt::SkipEmptyParts);
        const std::string number = std::to_string(++done);
        std::string syl, str, jun;
        for (qsizetype i = 0; i < words.size(); ++i) {
            syl += '\t' + words[i].toStdString();
            str += "\t3";
            jun += i + 1 == words.size() ? "\t4" : "\t2";
        }
        for (const auto& [kind, tail] : {std::pair{"syllables", syl},
                                         {"stress", str},
                                         {"juncture", jun},
                                         {"comment", std::string("\t")}})
            result.scansionFile += number + '\t' + kind + '\t' + line + tail + "\r\n";
        longest = std::max<std::size_t>(longest, words.size());
        result.syllables += words.size();
    }
    for (std::size_t i = 0; i < longest; ++i)
        result.meterFile += (i ? "\tS" : "S");
    result.meterFile += "\r\n";
    result.meterName = options.meter.empty() ? "stub" : "imposed";
    result.verseLines = done;
    return result;
}

}  // namespace corvale::firstpass
