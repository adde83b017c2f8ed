#pragma once

#include "firstpass/FirstPass.h"

#include <QString>

#include <atomic>
#include <functional>
#include <variant>

class QWidget;

namespace corvale {

using PoemScanResult = std::variant<firstpass::Scansion, firstpass::Refusal, firstpass::Cancelled>;

// Reads a poem file and scans it, reporting progress through `progress`. Runs on a worker
// thread: it may touch nothing of the window.
using PoemScanner =
    std::function<PoemScanResult(const QString& poemPath, const firstpass::Progress& progress)>;

// The first pass as the window uses it: ReadPoemFile, then Scan under these conventions.
PoemScanResult ReadAndScanPoem(const QString& poemPath, const firstpass::Progress& progress,
                               const firstpass::Conventions& conventions = {});

// Runs `scanner` on a worker thread and returns its result once it is done, keeping the window
// responsive meanwhile. A cancellable progress dialog over `parent` appears only when the scan
// takes long enough to need one. `cancel` may also be set from outside (a closing window); a
// scan cancelled either way returns Cancelled, even one that finished meanwhile.
PoemScanResult ScanWithProgress(QWidget* parent, const QString& poemPath,
                                const PoemScanner& scanner, std::atomic<bool>& cancel);

}  // namespace corvale
