#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class PageModel;
class Prompt;

// Writes the page definition file DatNam from model: Windows-1252, CR LF after every line, written
// whole through a temporary file. Returns false when the file cannot be created: a page name or
// file name that a Windows file name cannot hold (123), a full name longer than 259 characters or
// a missing folder (3), no access (5); "Fehler %d beim Schreiben der Datei %s" has then been shown
// and nothing was written. A failure while writing throws OperationError ("E/A-Fehler %d"); the
// previous file is left untouched. min and max of numeric entries use locale's separators.
bool CreateHTMLSourcePage(const PageModel &model, const QString &DatNam, Prompt &prompt,
                          const QLocale &locale = QLocale::system());

// The lines CreateHTMLSourcePage writes, without line ends.
QStringList pageFileLines(const PageModel &model, const QLocale &locale = QLocale::system());

// The value of the NAVI line for links: each name and target with their separators, German letters
// as entities.
QString naviValue(const QStringList &links);

// value rounded half away from zero to decimals places and to at most 7 significant digits, with
// exactly decimals places and locale's separators; more than 7 integer digits after rounding give
// the exponent form ("1E9", "1,234568E7").
QString formatMinMax(double value, int decimals, const QLocale &locale);
