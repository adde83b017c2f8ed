#include "firstpass_poems.h"

#include <QString>
#include <QStringList>

namespace corvale::bench {

const std::vector<std::string>& Sonnet18() {
    static const std::vector<std::string> lines = {
        "Shall I compare thee to a summer's day?",
        "Thou art more lovely and more temperate:",
        "Rough winds do shake the darling buds of May,",
        "And summer's lease hath all too short a date;",
        "Sometime too hot the eye of heaven shines,",
        "And often is his gold complexion dimm'd;",
        "And every fair from fair sometime declines,",
        "By chance or nature's changing course untrimm'd;",
        "But thy eternal summer shall not fade,",
        "Nor lose possession of that fair thou ow'st;",
        "Nor shall death brag thou wander'st in his shade,",
        "When in eternal lines to time thou grow'st:",
        "So long as men can breathe or eyes can see,",
        "So long lives this, and this gives life to thee."};
    return lines;
}

firstpass::Poem LongPoem(std::int64_t count) {
    std::vector<std::string> source = Sonnet18();
    source.push_back("Desiring fire and every glorious hour, the wandering heaven wished");
    source.push_back("Vnto the nation's towers, the memory of fire desired, th' eternal");
    // A stanza of a ballad: four beats and three.
    source.insert(source.end(),
                  {"The sun came up upon the left,", "Out of the sea came he!",
                   "And he shone bright, and on the right", "Went down into the sea."});
    const auto size = static_cast<std::int64_t>(source.size());
    firstpass::Poem poem;
    for (std::int64_t i = 0; i < count; ++i) {
        QStringList words =
            QString::fromStdString(source[static_cast<std::size_t>(i % size)]).split(u' ');
        const qsizetype turn = (i / size) % words.size();
        words = words.mid(turn) + words.mid(0, turn);
        poem.verseLines.push_back(words.join(u' ').toStdString());
    }
    return poem;
}

}  // namespace corvale::bench
