// Line > "Rescan the rest as I read", Edit > "Undo the rescan" and File > "Save the
// conventions...": the first pass learns from the lines the metrist has worked through (those
// before the line on screen) and rescans the later lines nobody has touched. The rescan is no
// commit of the metrist's: the document replaces the lines as one step of its journal, and
// keeps what they held until the next commit, for the undo.

#include "firstpass/ConventionsFile.h"
#include "firstpass/Learning.h"
#include "firstpass/Rescan.h"
#include "meter/MeterCheck.h"
#include "platform/TextCodec.h"
#include "scansion/FileNames.h"
#include "window/FolderConventions.h"
#include "window/LearnedInWords.h"
#include "window/MainWindow.h"
#include "window/Overview.h"

#include <QAction>

#include <string>
#include <vector>

namespace corvale {

namespace {

// The meters' places as the first pass imposes them.
std::vector<std::vector<std::string>> MeterSymbols(const std::vector<MeterFileRow>& rows) {
    std::vector<std::vector<std::string>> meters;
    for (const MeterFileRow& row : rows) {
        const meter::Meter meter(row.line, row.symbols);
        std::vector<std::string>& symbols = meters.emplace_back();
        for (std::int32_t place = 1; place <= meter.Places(); ++place) {
            symbols.emplace_back(meter.IsStrong(place) ? "S" : "W");
        }
    }
    return meters;
}

std::vector<std::string> Encoded(const std::vector<std::string>& texts, Encoding encoding) {
    std::vector<std::string> bytes;
    bytes.reserve(texts.size());
    for (const std::string& text : texts) {
        bytes.push_back(Encode(QString::fromStdString(text), encoding));
    }
    return bytes;
}

std::vector<Document::LineRecord> Records(const firstpass::RescanPlan& plan, Encoding encoding) {
    std::vector<Document::LineRecord> records;
    for (const firstpass::RescannedLine& line : plan.rescanned) {
        records.push_back({line.line, Encoded(line.syllables, encoding),
                           Encoded(line.stresses, encoding), Encoded(line.junctures, encoding),
                           Encode(QString::fromStdString(line.comment), encoding)});
    }
    return records;
}

}  // namespace

std::optional<firstpass::Conventions> MainWindow::ConventionsInForce(const QString& whatFails) {
    if (rescannedUnder_) {
        return rescannedUnder_;
    }
    auto read = ReadFolderConventions(work_.GetPlatform());
    if (const auto* refused = std::get_if<QString>(&read)) {
        work_.GetPlatform().ShowMessage(*refused + QStringLiteral("  ") + whatFails);
        return std::nullopt;
    }
    return std::get<firstpass::ConventionsRead>(read).conventions;
}

void MainWindow::RescanTheRest() {
    Platform& platform = work_.GetPlatform();
    const Document& doc = work_.Doc();
    const std::int32_t first = work_.CurrentLine();
    const firstpass::CorrectedPoem worked =
        firstpass::CorrectedPoemOf(doc.GetStore(), doc.TextEncoding(), 1, first - 1, doc.Meters());
    if (std::ssize(worked.lines) < firstpass::kLeastLinesToLearnFrom || doc.Meter().symbols < 1) {
        platform.ShowMessage(
            QStringLiteral("Corvale learns how you read from at least %1 verse lines before "
                           "the line on screen, with their stresses filled in; there are %2.  "
                           "Nothing was rescanned.")
                .arg(firstpass::kLeastLinesToLearnFrom)
                .arg(worked.lines.size()));
        return;
    }
    const std::optional<firstpass::Conventions> inForce =
        ConventionsInForce(QStringLiteral("Nothing was rescanned."));
    if (!inForce) {
        return;
    }
    const firstpass::Learned learned = firstpass::Learn({worked}, *inForce);
    lastLearned_ = learned.conventions;
    const auto planned = firstpass::PlanRescan(
        doc.GetStore(), doc.TextEncoding(), MeterSymbols(doc.Meters()), first, *inForce,
        learned.conventions, [&doc](std::int32_t j) { return doc.IsLineCommittedByHand(j); });
    if (const auto* refusal = std::get_if<firstpass::Refusal>(&planned)) {
        platform.ShowMessage(
            QStringLiteral("I couldn't rescan the rest: %1  Nothing was rescanned.")
                .arg(QString::fromStdString(refusal->message)));
        return;
    }
    const auto& plan = std::get<firstpass::RescanPlan>(planned);
    const QString told =
        LearnedInWords(learned, *inForce) + QStringLiteral("\n\n") + PlanInWords(plan);
    if (plan.rescanned.empty()) {
        platform.ShowMessage(told + QStringLiteral("  Nothing needs rescanning."));
        return;
    }
    if (platform.AskYesNo(
            told +
                QStringLiteral("\n\nRescan those %1 now?").arg(Lines(std::ssize(plan.rescanned))),
            Escape::Withdraws) != Answer::Yes) {
        return;
    }
    const std::int32_t changed = work_.Doc().Replace(Records(plan, doc.TextEncoding()), first);
    rescannedUnder_ = learned.conventions;
    ShowReplacedLines(QStringLiteral("%1 rescanned.").arg(Lines(changed)));
}

void MainWindow::UndoTheRescan() {
    const std::int32_t changed = work_.Doc().UndoReplacement(work_.CurrentLine());
    rescannedUnder_.reset();
    ShowReplacedLines(QStringLiteral("The rescan is undone: %1 as they were.").arg(Lines(changed)));
}

// After lines were replaced: the grid wide enough, the docks and the line on screen afresh,
// and the status says what happened and where F3 goes.
void MainWindow::ShowReplacedLines(const QString& what) {
    WidenGrid();
    if (OverviewDock() != nullptr) {
        OverviewDock()->Model().Judge(TheMeters(), MeterStrictness());
    }
    RecountProfile();
    ShowCurrentLine();
    EnableUndoTheRescan();
    const QAction* next = keyMap_.Find(u"nextOffTheMeterAction");
    ShowLineStatus(
        what +
        QStringLiteral("  %1 goes to the next line still off the meter.").arg(KeyText(*next)));
}

void MainWindow::EnableUndoTheRescan() {
    undoRescanAction->setEnabled(work_.Doc().CanUndoReplacement());
}

void MainWindow::SaveTheConventions() {
    Platform& platform = work_.GetPlatform();
    if (!lastLearned_) {
        platform.ShowMessage(
            QStringLiteral("Corvale has learned nothing yet in this run: \"Rescan the rest as I "
                           "read\" learns how you read from the lines you have worked through."));
        return;
    }
    if (platform.WhatIsAt(kConventionsFileName) != Platform::Occupant::Nothing &&
        platform.AskYesNo(QStringLiteral("%1 is already in the folder.  Replace it with the "
                                         "conventions learned?")
                              .arg(QLatin1String(kConventionsFileName)),
                          Escape::Withdraws) != Answer::Yes) {
        return;
    }
    if (!platform.ReplaceFile(kConventionsFileName,
                              firstpass::ConventionsFileBytes(*lastLearned_))) {
        platform.ShowMessage(QStringLiteral("I couldn't write %1, so it is as it was.  Perhaps "
                                            "the folder is read-only or the disk is full.")
                                 .arg(QLatin1String(kConventionsFileName)));
        return;
    }
    ShowLineStatus(QStringLiteral("The conventions learned are saved in %1; Scan a poem reads "
                                  "the next poems by them.")
                       .arg(QLatin1String(kConventionsFileName)));
}

void MainWindow::Loaded(const Store&) {
    rescannedUnder_.reset();
    droppedChanges_.reset();
    if (undoRescanAction != nullptr) {
        EnableUndoTheRescan();
    }
}

}  // namespace corvale
