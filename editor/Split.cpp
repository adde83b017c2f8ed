#include "editor/EditRules.h"
#include "editor/WorkingCopy.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <utility>

namespace corvale::editor {

namespace {

// The working copy's position m holds a value of some kind, so a split needs a position more.
bool IsFull(const std::vector<std::string>& syllables, const std::vector<std::string>& stresses,
            const std::vector<std::string>& junctures, std::int32_t m) {
    const auto at = static_cast<std::size_t>(m);
    const auto holds = [at](const std::vector<std::string>& texts) {
        return at < texts.size() && !texts[at].empty();
    };
    return m >= 1 && (holds(syllables) || holds(stresses) || holds(junctures));
}

// Moves positions k + 1..last one to the right; position last + 1 must exist.
void ShiftRight(WorkingCopy& line, std::size_t k, std::size_t last) {
    for (std::size_t i = last; i > k; --i) {
        line.syllables[i + 1] = std::move(line.syllables[i]);
        line.stresses[i + 1] = std::move(line.stresses[i]);
        line.junctures[i + 1] = std::move(line.junctures[i]);
    }
}

}  // namespace

std::optional<std::size_t> CutAtCaret(std::string_view syllable, Encoding encoding,
                                      qsizetype caret) {
    const QString text = Decode(syllable, encoding);
    if (caret <= 0 || caret >= text.size()) {
        return std::nullopt;
    }
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    graphemes.setPosition(caret);
    const qsizetype at = graphemes.isAtBoundary() ? caret : graphemes.toPreviousBoundary();
    if (at <= 0) {
        return std::nullopt;
    }
    const std::string left = Encode(text.left(at), encoding);
    // Bytes that do not come back alike from their text have no safe place to cut.
    if (!syllable.starts_with(left) || left.size() >= syllable.size()) {
        return std::nullopt;
    }
    return left.size();
}

SplitOutcome Split(std::vector<std::string>& syllables, std::vector<std::string>& stresses,
                   std::vector<std::string>& junctures, std::int32_t k, std::size_t cut,
                   std::int32_t m) {
    WorkingCopy line{syllables, stresses, junctures};
    if (k < 1 || k > m || !line.Covers(m)) {
        return SplitOutcome::NothingToSplit;
    }
    const auto at = static_cast<std::size_t>(k);
    if (cut == 0 || cut >= syllables[at].size()) {
        return SplitOutcome::NothingToSplit;
    }
    const bool grows = IsFull(syllables, stresses, junctures, m);
    if (grows && m >= kMostPositions) {
        return SplitOutcome::LineTooLong;
    }
    auto last = static_cast<std::size_t>(m);
    if (grows) {
        const std::size_t size = last + 2;
        for (std::vector<std::string>* texts : {&syllables, &stresses, &junctures}) {
            texts->resize(std::max(texts->size(), size));
        }
    } else {
        --last;  // position m is empty and makes the room
    }
    ShiftRight(line, at, last);
    syllables[at + 1] = syllables[at].substr(cut);
    syllables[at].resize(cut);
    stresses[at + 1] = "1";
    junctures[at + 1] = std::move(junctures[at]);
    junctures[at] = "1";
    return grows ? SplitOutcome::SplitAndGrew : SplitOutcome::Split;
}

}  // namespace corvale::editor
