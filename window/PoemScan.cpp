#include "window/PoemScan.h"

#include "firstpass/FirstPass.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>
#include <new>
#include <string>

namespace corvale {

namespace {

// A scan shorter than this shows no dialog at all.
constexpr int kDialogAfterMs = 400;
// The dialog counts in thousandths, so a long poem posts at most a thousand updates.
constexpr int kSteps = 1000;

}  // namespace

PoemScanResult ReadAndScanPoem(const QString& poemPath, const firstpass::Progress& progress,
                               const firstpass::Conventions& conventions) {
    firstpass::Options options;
    options.progress = progress;
    options.conventions = conventions;
    return firstpass::ScanPoemFile(poemPath, options);
}

PoemScanResult ScanWithProgress(QWidget* parent, const QString& poemPath,
                                const PoemScanner& scanner, std::atomic<bool>& cancel) {
    QProgressDialog dialog(QStringLiteral("Scanning %1\u2026").arg(QFileInfo(poemPath).fileName()),
                           QStringLiteral("Cancel"), 0, kSteps, parent);
    dialog.setObjectName(QStringLiteral("scanProgress"));
    dialog.setWindowTitle(QStringLiteral("Corvale"));
    // Not modal: the toolkit drops the window system's close request to a window that a modal
    // dialog blocks, and the window's close must reach it to stop the scan (MainWindow rests
    // its controls meanwhile).
    dialog.setWindowModality(Qt::NonModal);
    dialog.setMinimumDuration(kDialogAfterMs);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&cancel] { cancel = true; });
    dialog.setValue(0);  // starts the clock after which the dialog shows

    // Runs on the scanning thread. The dialog outlives the scan (this function waits for it),
    // so posting to it is safe; a post the dialog has not taken when it goes is dropped.
    QProgressDialog* target = &dialog;
    int lastStep = 0;
    const firstpass::Progress progress = [&cancel, target, &lastStep](std::int64_t done,
                                                                      std::int64_t total) {
        const int step = total > 0 ? static_cast<int>(done * kSteps / total) : 0;
        if (step != lastStep) {
            lastStep = step;
            QMetaObject::invokeMethod(
                target, [target, step] { target->setValue(step); }, Qt::QueuedConnection);
        }
        return !cancel.load();
    };

    QEventLoop loop;
    QFutureWatcher<PoemScanResult> watcher;
    QObject::connect(&watcher, &QFutureWatcher<PoemScanResult>::finished, &loop, &QEventLoop::quit);
    // Whatever goes wrong in the scan (a poem too large for the memory left) is said as a
    // refusal, never thrown into the window's event handling.
    watcher.setFuture(QtConcurrent::run([&scanner, poemPath, progress]() -> PoemScanResult {
        try {
            return scanner(poemPath, progress);
        } catch (const std::bad_alloc&) {
            return firstpass::Refusal{"There is not enough memory to scan it.", 0};
        } catch (const std::exception& error) {
            return firstpass::Refusal{std::string("The scan failed: ") + error.what(), 0};
        }
    }));
    if (!watcher.isFinished()) {
        loop.exec();
    }
    // The program may be leaving every event loop at once: the scan stops here all the same.
    if (!watcher.isFinished()) {
        cancel = true;
        watcher.waitForFinished();
    }
    if (cancel.load() || dialog.wasCanceled()) {
        return firstpass::Cancelled{};
    }
    return watcher.future().takeResult();
}

}  // namespace corvale
