#pragma once

#include <QString>
#include <QStringList>

// What the numbers of the grid mean, as the keyboard shortcuts window (F1) says it under its
// heading, in the words of the manual's section of that name (docs/manual.md).
namespace corvale {

QString ValuesMeaningHeading();
// The paragraphs, in order, as plain text.
QStringList ValuesMeaning();

}  // namespace corvale
