#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Makes execution files from readable lines: the developer tool, test fixtures and benchmarks use
// it. The reader's UnscrambleLine undoes it.

// Scrambles one readable line in place for key. Returns false when the result would not read back
// as the same line once written in Windows-1252 (a character outside the code page, or one whose
// scrambled form the code page cannot hold).
bool ScrambleLine(QString &line, quint8 key);

// A header line carrying key: "@QZR482 - " + text, then a character holding the key, then "*".
// Returns an empty string when no Windows-1252 character can carry key.
QString execFileHeader(quint8 key, const QString &text = QString());

// The lines of an execution file, to be written with writeTextFile: lines.first() is the plain
// header line (its second-to-last character gives the key), every further line is scrambled.
// Returns false with *error (may be nullptr) naming the first line (from 1) that cannot be
// scrambled, or a header too short to carry a key.
bool scrambleExecFile(const QStringList &lines, QStringList &scrambled, QString *error = nullptr);

// The lines of a readable listing (as kept in the source tree): lines beginning with "#" and blank
// lines are left out, CR LF and LF both end a line. *sourceLines (may be nullptr) receives the
// line number (from 1) of each line kept.
QStringList listingLines(const QString &text, QList<int> *sourceLines = nullptr);
