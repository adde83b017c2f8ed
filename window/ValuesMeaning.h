#pragma once

#include <QString>
#include <QStringList>

// What the numbers of the grid mean, as the keyboard shortcuts window (F1) says it under its
// heading; the README says it in the same words.
namespace corvale {

QString ValuesMeaningHeading();
// The paragraphs, in order, as plain text.
QStringList ValuesMeaning();

}  // namespace corvale
