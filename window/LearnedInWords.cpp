#include "window/LearnedInWords.h"

#include <QStringList>

#include <string>
#include <string_view>

namespace corvale {

namespace {

// The words for one value, out of the convention's list "0 never, 1 in older printing, ...".
// Each value is one digit and follows the start or ", "; it runs to the next value.
QString ValueInWords(const firstpass::ConventionInfo& info, int value) {
    const std::string_view values = info.values;
    const std::string digit = std::to_string(value) + ' ';
    std::size_t at = value == info.least ? values.find(digit) : values.find(", " + digit);
    if (at == std::string_view::npos) {
        return QString::number(value);
    }
    at += (value == info.least ? 0 : 2) + digit.size();
    const std::size_t end = values.find(", " + std::to_string(value + 1) + ' ', at);
    return QStringLiteral("%1 (%2)").arg(value).arg(
        QString::fromUtf8(values.substr(at, end == std::string_view::npos ? end : end - at)));
}

QString Percent(std::int64_t part, std::int64_t whole) {
    return QString::number(whole > 0 ? 100.0 * static_cast<double>(part) / whole : 0.0, 'f', 1) +
           u'%';
}

}  // namespace

QString Lines(std::int64_t count) {
    return count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count);
}

QString LearnedInWords(const firstpass::Learned& learned, const firstpass::Conventions& inForce) {
    QStringList moved;
    for (const firstpass::ConventionInfo& info : firstpass::ConventionTable()) {
        const int was = inForce[info.convention];
        const int now = learned.conventions[info.convention];
        if (was != now) {
            moved << QStringLiteral("%1 (%2): was %3, now %4.")
                         .arg(QString::fromUtf8(info.name), QString::fromUtf8(info.what),
                              ValueInWords(info, was), ValueInWords(info, now));
        }
    }
    const QString agreement =
        QStringLiteral(
            "Your stresses on the %1 before this one agree with %2 of %3 syllables "
            "(%4) as the first pass read them, with %5 (%6) as learned.")
            .arg(Lines(learned.lines))
            .arg(learned.agreeingBefore)
            .arg(learned.syllables)
            .arg(Percent(learned.agreeingBefore, learned.syllables))
            .arg(learned.agreeingAfter)
            .arg(Percent(learned.agreeingAfter, learned.syllables));
    if (moved.isEmpty()) {
        return QStringLiteral("You read as the conventions in force have it: nothing moved.  ") +
               agreement;
    }
    return QStringLiteral("You read otherwise than the conventions in force in this:\n") +
           moved.join(u'\n') + QStringLiteral("\n") + agreement;
}

QString PlanInWords(const firstpass::RescanPlan& plan) {
    const auto rescanned = static_cast<std::int64_t>(plan.rescanned.size());
    return QStringLiteral(
               "From this line on, %1 read as the first pass wrote them; %2 of them "
               "would change.  Left as they stand: %3 that you committed, retyped, "
               "merged or split, or commented on.")
        .arg(Lines(plan.untouched))
        .arg(rescanned)
        .arg(Lines(plan.kept));
}

}  // namespace corvale
