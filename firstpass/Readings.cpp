#include "firstpass/Readings.h"

#include "firstpass/Division.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace corvale::firstpass {
namespace {

bool InLatinLetters(const QString& spoken) {
    return std::all_of(spoken.begin(), spoken.end(),
                       [](QChar c) { return !c.isLetter() || c.script() == QChar::Script_Latin; });
}

// An apostrophe inside the word or at its end, other than a possessive's ("heaven's", "poets'").
bool MarksElision(const QString& written) {
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (!IsApostrophe(written[i])) {
            continue;
        }
        const QString rest = written.mid(i + 1).toLower();
        const bool possessive = (rest == u"s" && i > 0) ||
                                (rest.isEmpty() && i > 0 && written[i - 1].toLower() == u's');
        if (!possessive) {
            return true;
        }
    }
    return false;
}

Lexical Stronger(Lexical a, Lexical b) {
    return static_cast<int>(a) > static_cast<int>(b) ? a : b;
}

bool IsVowelLetter(QChar c) {
    return QStringView(u"aeiouy").contains(c.toLower());
}

// "e'en", "ta'en": an apostrophe between two vowel letters elides what stood between them, and
// the vowels on either side are one syllable. The engine, which says the vowels apart, gets its
// syllables on either side of such an apostrophe joined, the stronger stress kept.
SpokenWord ElidedAcross(const QString& written, SpokenWord spoken) {
    std::vector<SpokenSyllable>& s = spoken.syllables;
    std::size_t syllable = 0;  // the syllable of the vowel group up to position i, from 1
    for (qsizetype i = 0; i + 2 < written.size(); ++i) {
        const bool vowel = IsVowelLetter(written[i]);
        if (vowel && (i == 0 || !IsVowelLetter(written[i - 1]))) {
            ++syllable;
        }
        if (vowel && IsApostrophe(written[i + 1]) && IsVowelLetter(written[i + 2]) &&
            syllable < s.size()) {
            s[syllable - 1].stress = Stronger(s[syllable - 1].stress, s[syllable].stress);
            s.erase(s.begin() + static_cast<std::ptrdiff_t>(syllable));
            --syllable;  // the group after the apostrophe counts it again
        }
    }
    return spoken;
}

// The reading with syllable `gone` joined to its neighbour `kept`: one syllable with the kept
// one's vowel and the stronger stress, its piece the two pieces together.
Reading Joined(Reading reading, std::size_t gone, std::size_t kept) {
    std::vector<SpokenSyllable>& syllables = reading.sound.syllables;
    const std::size_t first = std::min(gone, kept);
    SpokenSyllable joined = syllables[kept];
    joined.stress = Stronger(syllables[gone].stress, syllables[kept].stress);
    joined.consonants =
        syllables[first].consonants + (first == gone ? syllables[kept].consonants : std::string());
    syllables[first] = std::move(joined);
    syllables.erase(syllables.begin() + static_cast<std::ptrdiff_t>(first) + 1);
    reading.pieces[first] += reading.pieces[first + 1];
    reading.pieces.removeAt(first + 1);
    return reading;
}

bool IsDiphthong(std::string_view vowel) {
    return vowel.size() == 2 && (vowel[1] == 'I' || vowel[1] == 'U');
}

// The reading with each vowel that runs into an unstressed one, no consonant between them, joined
// to it: diphthongs or the other vowels. None unless the spelling writes fewer vowels than the
// engine says: "fire", "hour", "desire", but not "flow-er", whose spelling shows two. Nor where
// an r begins the next syllable, which leaves the run-on vowel a syllable's nucleus ("fi-er-y",
// "tow-er-ing"), unless the spelling has no vowel for that syllable ("de-sir-ing", not
// "de-si-r-ing").
std::optional<Reading> RunOn(const QString& written, const Reading& spoken, bool diphthongs) {
    const std::vector<SpokenSyllable>& s = spoken.sound.syllables;
    std::optional<Reading> reading;
    if (VowelGroups(written) >= std::ssize(s)) {
        return reading;
    }
    const bool spelled = EachPieceHasAVowel(LowerCase(written), spoken.pieces);
    for (std::size_t k = s.size(); k-- > 1;) {
        const bool rFollows = spelled && k + 1 < s.size() &&
                              (s[k + 1].consonants == "r|" || s[k + 1].consonants == "r-|");
        if (s[k].consonants.empty() && s[k].stress == Lexical::None && !rFollows &&
            IsDiphthong(s[k - 1].vowel) == diphthongs) {
            reading = Joined(reading.value_or(spoken), k, k - 1);
        }
    }
    return reading;
}

// "fire", "hour", "desire", "choirs": a diphthong run into r or a schwa is one syllable.
std::optional<Reading> DiphthongRunOn(const QString& written, const Reading& spoken,
                                      const PoemMarks&) {
    return RunOn(written, spoken, true);
}

// "glorious", "various", "being": another vowel run into an unstressed one is one syllable.
std::optional<Reading> Synaeresis(const QString& written, const Reading& spoken, const PoemMarks&) {
    return RunOn(written, spoken, false);
}

bool IsLiquidOrNasal(std::string_view consonants) {
    return consonants == "r|" || consonants == "r-|" || consonants == "l|" || consonants == "n|";
}

// "memory", "general", "wandering", "travelling": an unstressed reduced vowel after a stressed
// syllable and a consonant, before a lone r, l or n and another unstressed vowel, is dropped.
std::optional<Reading> Syncope(const QString&, const Reading& spoken, const PoemMarks&) {
    const std::vector<SpokenSyllable>& s = spoken.sound.syllables;
    for (std::size_t k = 1; k + 1 < s.size(); ++k) {
        if (s[k - 1].stress != Lexical::None && s[k].stress == Lexical::None &&
            s[k].Kind() == VowelKind::Reduced && !s[k].consonants.empty() &&
            s[k + 1].stress == Lexical::None && IsLiquidOrNasal(s[k + 1].consonants)) {
            return Joined(spoken, k, k + 1);
        }
    }
    return std::nullopt;
}

// "heaven", "even", "given", "heavenly": an unstressed reduced vowel between v and an n that
// ends its syllable joins the syllable before.
std::optional<Reading> ShortenedN(const QString&, const Reading& spoken, const PoemMarks&) {
    const std::vector<SpokenSyllable>& s = spoken.sound.syllables;
    for (std::size_t k = 1; k < s.size(); ++k) {
        const std::string_view after =
            k + 1 < s.size() ? std::string_view(s[k + 1].consonants) : spoken.sound.coda;
        if (s[k].stress == Lexical::None && s[k].Kind() == VowelKind::Reduced &&
            s[k].consonants.ends_with("v|") && after.starts_with("n|") &&
            (k + 1 == s.size() || after.size() > 2)) {
            return Joined(spoken, k, k - 1);
        }
    }
    return std::nullopt;
}

// "every", "different", "several": a vowel that the spelling writes and the engine drops between
// a consonant and r, after a stressed syllable, is said.
std::optional<Reading> RestoredVowel(const QString& written, const Reading& spoken,
                                     const PoemMarks&) {
    const std::vector<SpokenSyllable>& s = spoken.sound.syllables;
    if (VowelGroups(written) != std::ssize(s) + 1) {
        return std::nullopt;
    }
    for (std::size_t k = 0; k + 1 < s.size(); ++k) {
        const std::string& between = s[k + 1].consonants;
        const std::size_t bar = between.find('|');
        if (s[k].stress == Lexical::None || bar == std::string::npos ||
            (between.substr(bar + 1) != "r|" && between.substr(bar + 1) != "r-|")) {
            continue;
        }
        Reading reading = spoken;
        std::vector<SpokenSyllable>& syllables = reading.sound.syllables;
        syllables[k + 1].consonants = between.substr(bar + 1);
        syllables.insert(syllables.begin() + static_cast<std::ptrdiff_t>(k) + 1,
                         {Lexical::None, "@", between.substr(0, bar + 1)});
        reading.pieces = SplitWritten(written, reading.sound);
        return reading;
    }
    return std::nullopt;
}

// "wished", "crisped": where a poem does not mark a said "-ed" as "-èd", a silent "-ed" after a
// consonant other than t or d may be said.
std::optional<Reading> SaidEd(const QString&, const Reading& spoken, const PoemMarks& marks) {
    const QString last = spoken.pieces.back();
    const QString lower = LowerCase(last);
    if (marks.saidEd || !lower.endsWith(u"ed") || lower.size() < 4) {
        return std::nullopt;
    }
    const QChar before = lower[lower.size() - 3];
    if (!before.isLetter() || IsVowelLetter(before) || before == u't' || before == u'd' ||
        std::none_of(lower.begin(), lower.end() - 3, IsVowelLetter)) {
        return std::nullopt;
    }
    Reading reading = spoken;
    reading.pieces.back() = last.chopped(2);
    reading.pieces << last.right(2);
    reading.sound.syllables.push_back({Lexical::None, "I", {}});
    return reading;
}

// "nation", "ocean", "soldier", "gracious": the i (or the e before a or o) that the engine runs
// into the sh or zh sound before it is a syllable of its own.
std::optional<Reading> SaidI(const QString& written, const Reading& spoken, const PoemMarks&) {
    const std::vector<SpokenSyllable>& s = spoken.sound.syllables;
    qsizetype start = 0;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const auto at = static_cast<qsizetype>(k);
        const QString piece = LowerCase(spoken.pieces[at]);
        const std::string& consonants = s[k].consonants;
        const bool palatal = consonants.ends_with("S|") || consonants.ends_with("Z|");
        for (qsizetype p = 0;
             k > 0 && palatal && s[k].stress == Lexical::None && p + 1 < piece.size(); ++p) {
            const bool afterConsonant = start + p > 0 && written[start + p - 1].isLetter() &&
                                        !IsVowelLetter(written[start + p - 1]);
            const bool split = (piece[p] == u'i' && QStringView(u"aeou").contains(piece[p + 1])) ||
                               (piece[p] == u'e' && QStringView(u"ao").contains(piece[p + 1]));
            if (!afterConsonant || !split) {
                continue;
            }
            Reading reading = spoken;
            reading.pieces[at] = spoken.pieces[at].left(p + 1);
            reading.pieces.insert(at + 1, spoken.pieces[at].mid(p + 1));
            std::vector<SpokenSyllable>& syllables = reading.sound.syllables;
            SpokenSyllable i = syllables[k];
            i.vowel.assign(1, 'i');
            syllables[k].consonants.clear();
            syllables.insert(syllables.begin() + static_cast<std::ptrdiff_t>(k), std::move(i));
            return reading;
        }
        start += spoken.pieces[at].size();
    }
    return std::nullopt;
}

struct Rule {
    std::optional<Reading> (*offer)(const QString& written, const Reading& spoken,
                                    const PoemMarks& marks);
    Convention where;  // where the readers of a poem take its reading (ReadingWhere)
};

// The table of readings, in the order their readings are offered. By default the readers take
// the elisions that older texts leave unmarked and modern readers say in full ("heav'n",
// "wand'ring", "glo-rious" in two) in a text in older printing only.
constexpr Rule kRules[] = {
    {DiphthongRunOn, Convention::FireInOne},
    {SaidEd, Convention::SaidEd},
    {SaidI, Convention::SaidIon},
    {RestoredVowel, Convention::EveryInThree},
    {Syncope, Convention::Syncope},
    {ShortenedN, Convention::HeavenInOne},
    {Synaeresis, Convention::Synaeresis},
};

bool Offered(int where, const PoemMarks& marks) {
    switch (where) {
        case kInAnyVerse:
            return true;
        case kInOlderVerse:
            return marks.olderVerse || marks.olderPrinting;
        case kInOlderPrinting:
            return marks.olderPrinting;
        default:
            return false;
    }
}

}  // namespace

std::uint8_t RulesOffered(const Conventions& conventions, const PoemMarks& marks) {
    std::uint8_t offered = 0;
    for (std::size_t k = 0; k < std::size(kRules); ++k) {
        if (Offered(conventions[kRules[k].where], marks)) {
            offered |= static_cast<std::uint8_t>(1U << k);
        }
    }
    return offered;
}

std::vector<Reading> ReadingsOf(const QString& written, const SpokenWord& spoken,
                                const PoemMarks& marks, const Conventions& conventions) {
    if (MarksElision(written)) {
        const SpokenWord elided = ElidedAcross(written, spoken);
        return {{elided, SplitWritten(written, elided)}};
    }
    std::vector<Reading> readings = {{spoken, SplitWritten(written, spoken)}};
    if (readings[0].pieces.size() != std::ssize(spoken.syllables)) {
        return readings;
    }
    const std::uint8_t offered = RulesOffered(conventions, marks);
    for (std::size_t k = 0; k < std::size(kRules); ++k) {
        const auto bit = static_cast<std::uint8_t>(1U << k);
        if ((offered & bit) == 0) {
            continue;
        }
        std::optional<Reading> reading = kRules[k].offer(written, readings[0], marks);
        if (!reading) {
            continue;
        }
        const std::size_t count = reading->sound.syllables.size();
        const auto same = std::find_if(readings.begin(), readings.end(), [count](const Reading& r) {
            return r.sound.syllables.size() == count;
        });
        if (same == readings.end()) {
            reading->rules = bit;
            readings.push_back(std::move(*reading));
        } else if (same != readings.begin()) {
            same->rules |= bit;
        }
    }
    return readings;
}

bool AsksTheEngine(const Word& word) {
    return word.kind == Word::Kind::Letters && !word.spoken.isEmpty() &&
           InLatinLetters(word.spoken) && !IsMonosyllabicFunctionWord(word.spoken.toStdString());
}

namespace {

// The syllables of a word as the engine gave them, or from its spelling when it gave none.
struct Heard {
    SpokenWord sound;
    bool byEngine = false;
};

Heard HearWord(const Word& word, const QString& stem, const std::string& phonemes) {
    Heard heard;
    if (AsksTheEngine(word)) {
        heard.sound = ReadPhonemes(phonemes);
        heard.byEngine = !heard.sound.syllables.empty();
    } else if (InLatinLetters(word.spoken)) {
        heard.sound = UnspokenWord(1);
    }
    if (heard.sound.syllables.empty()) {
        heard.sound = UnspokenWord(VowelGroups(stem));
    }
    // The engine spells out what it cannot read ("shh", a word in another script) letter by
    // letter; a written word has at most one syllable more than its vowel groups.
    const int most = VowelGroups(stem) + 1;
    if (std::ssize(heard.sound.syllables) > most) {
        const bool stressed =
            std::any_of(heard.sound.syllables.begin(), heard.sound.syllables.end(),
                        [](const SpokenSyllable& s) { return s.stress == Lexical::Primary; });
        heard.sound = UnspokenWord(most);
        heard.sound.syllables[0].stress = stressed ? Lexical::Primary : Lexical::None;
        heard.byEngine = false;
    }
    return heard;
}

WordReading Written(const Word& word, QStringList pieces, WordWeights weights,
                    std::uint8_t rules = 0) {
    pieces.front().prepend(word.lead);
    pieces.back().append(word.trail);
    WordReading reading;
    for (const QString& piece : pieces) {
        reading.syllables += '\t';
        reading.syllables += piece.toStdString();
    }
    reading.weights = std::move(weights.weights);
    reading.byClass = weights.byClass;
    reading.rules = rules;
    return reading;
}

// Fewer pieces than syllables: the last piece takes the rest, and their strongest stress.
void FitToPieces(WordWeights& word, qsizetype pieces) {
    while (std::ssize(word.weights) > pieces) {
        const std::size_t last = word.weights.size() - 1;
        const std::uint32_t bit = last < 32 ? std::uint32_t{1} << last : 0;
        word.weights[last - 1] = std::max(word.weights[last - 1], word.weights[last]);
        word.weights.pop_back();
        if ((word.byClass & bit) != 0) {
            word.byClass = (word.byClass & ~bit) | (bit >> 1);
        }
    }
}

// The readings of a word of letters, the spoken first, each as the line takes it.
std::vector<WordReading> SpokenReadings(const Word& word, const std::string& phonemes,
                                        const PoemMarks& marks, const Conventions& conventions,
                                        bool endsItsPhrase) {
    QString stem = word.core;
    if (word.gravedEd) {
        stem.chop(2);
    }
    const Heard heard = HearWord(word, stem, phonemes);
    const std::vector<Reading> readings =
        heard.byEngine ? ReadingsOf(stem, heard.sound, marks, conventions)
                       : std::vector<Reading>{
                             {heard.sound, SplitWritten(stem, std::ssize(heard.sound.syllables))}};
    const std::string spoken = word.spoken.toStdString();
    std::vector<WordReading> written;
    for (const Reading& reading : readings) {
        WordWeights weights =
            WeighWord(spoken, reading.sound.Stresses(), conventions, endsItsPhrase);
        QStringList pieces = reading.pieces;
        FitToPieces(weights, pieces.size());
        if (word.gravedEd) {
            // The stem's syllable is no longer a word of one syllable.
            std::replace(weights.weights.begin(), weights.weights.end(),
                         Weight::StressedMonosyllable, Weight::Stressed);
            pieces << word.core.right(2);
            weights.weights.push_back(Weight::Unstressed);
        }
        written.push_back(Written(word, std::move(pieces), std::move(weights), reading.rules));
    }
    return written;
}

}  // namespace

ReadWord ReadWordOf(const Word& word, const std::string& phonemes, WordPlace place,
                    const PoemMarks& marks, const Conventions& conventions) {
    ReadWord read;
    read.written = word.core;
    read.juncture = place.last ? 4 : JunctureAfter(word);
    read.function = FunctionWordOf(word.spoken.toStdString());
    if (word.kind == Word::Kind::Number) {
        read.readings.push_back(Written(word, {word.core}, {{Weight::Stressed}}));
        return read;
    }
    if (word.kind == Word::Kind::Ampersand) {
        read.readings.push_back(Written(word, {word.core}, WeighWord("and", {}, conventions)));
        return read;
    }
    if (place.elision != Elision::Only) {
        read.readings = SpokenReadings(word, phonemes, marks, conventions, read.juncture >= 3);
    }
    if (place.elision != Elision::None) {
        read.readings.push_back({(word.lead + word.core).toStdString(), {}});
    }
    return read;
}

WordPlace PlaceOf(const Word& word, const Word* next, const PoemMarks& marks) {
    WordPlace place;
    place.last = next == nullptr;
    // The eliding words have at most three letters, and lower case never shortens a word.
    if (place.last || word.kind != Word::Kind::Letters || next->kind != Word::Kind::Letters ||
        word.core.size() > 3 || !word.trail.isEmpty() || next->spoken.isEmpty() ||
        !QStringView(u"aeiou").contains(next->spoken[0])) {
        return place;
    }
    QString written = word.core.toLower();
    written.replace(QChar(0x2019), u'\'');
    if (written == u"th'" || written == u"t'") {
        place.elision = Elision::Only;
    } else if (marks.olderPrinting && (written == u"the" || written == u"to")) {
        place.elision = Elision::Also;
    }
    return place;
}

PoemMarks MarksOf(const VerseLines& verseLines) {
    static const QRegularExpression kSaidEd(QStringLiteral("\\w\u00e8d\\b"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression kOlderVerse(
        QStringLiteral("\\b(hath|doth|dost|hast|wilt|shalt|canst|wouldst|couldst|shouldst|didst|"
                       "hadst|wert|o'er|e'er|ne'er|th')(?!\\w)|(?<!\\w)'(tis|twas|twere)\\b|"
                       "[b-df-hj-np-tv-xz]'d\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kOlderPrinting(QStringLiteral("\\bv[b-df-hj-np-tv-xz]"),
                                                   QRegularExpression::CaseInsensitiveOption);
    PoemMarks marks;
    for (const std::string_view line : verseLines) {
        // A line is read only for the marks not found yet that it may hold: a said "-ed" needs
        // an "è", older printing a "v".
        const bool saidEd = !marks.saidEd && line.find("\xc3\xa8") != std::string_view::npos;
        const bool olderPrinting =
            !marks.olderPrinting && line.find_first_of("vV") != std::string_view::npos;
        if (!saidEd && !olderPrinting && marks.olderVerse) {
            continue;
        }
        QString text = QString::fromUtf8(line.data(), std::ssize(line));
        text.replace(QChar(0x2019), u'\'');
        marks.saidEd = marks.saidEd || (saidEd && kSaidEd.match(text).hasMatch());
        marks.olderVerse = marks.olderVerse || kOlderVerse.match(text).hasMatch();
        marks.olderPrinting =
            marks.olderPrinting || (olderPrinting && kOlderPrinting.match(text).hasMatch());
    }
    return marks;
}

}  // namespace corvale::firstpass
