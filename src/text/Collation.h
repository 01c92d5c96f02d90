#pragma once

#include <QCollator>
#include <QString>
#include <QStringView>

// The one order of names shown to the user: German, without regard to letter case, the same on
// every machine whatever its locale.
QCollator germanCollator();

// Appends text to out case-folded, as QString::toCaseFolded folds it (code point by code point),
// without making a string of its own: "without regard to letter case" compares folded texts.
void appendCaseFolded(QStringView text, QString &out);
