#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class Catalogue;
class Prompt;
struct PageDocument;
struct PageRow;
struct TPSObj;
enum class InputState;

// Writes the page definition file DatNam from page: Windows-1252, CR LF after every line, written
// whole through a temporary file. Returns false when the file cannot be created: a page name or
// file name that a Windows file name cannot hold (123), a full name longer than 259 characters or
// a missing folder (3), no access (5); "Fehler %d beim Schreiben der Datei %s" has then been shown
// and nothing was written. A failure while writing throws OperationError ("E/A-Fehler %d"); the
// previous file is left untouched. min and max of numeric entries use locale's separators; the
// type names of variable entries come from catalogue. The page's name is its header's.
bool CreateHTMLSourcePage(const PageDocument &page, const Catalogue &catalogue, const QString &DatNam, Prompt &prompt,
                          const QLocale &locale = QLocale::system());

// The lines CreateHTMLSourcePage writes, without line ends.
QStringList pageFileLines(const PageDocument &page, const Catalogue &catalogue,
                          const QLocale &locale = QLocale::system());

// The OBJROW and MACRO lines of a row as the writer writes them; row has an entry.
QString objectRowLine(const PageRow &row, const Catalogue &catalogue, const QLocale &locale = QLocale::system());
QString macroRowLine(const PageRow &row);
// What an object row's line holds of its entry after name, label and input flag: source, VarIdx,
// kind, device code (value code or type name of a variable) and the entry's range or states.
QString entryData(const TPSObj &entry, const Catalogue &catalogue, const QLocale &locale = QLocale::system());
// The flag of an input state: "1" yes, "0" no, "3" none.
QString inputFlag(InputState input);

// Whether the writer writes row: it has an offered entry and a name.
bool isWrittenRow(const PageRow &row);

// The length of the NAVI value as the page would be written (0 when no navigation line is
// written). Beyond KeyValue::MaxValueLength the reader takes the value only in part.
qsizetype naviWrittenLength(const PageDocument &page);

// The value of the NAVI line for links: each name and target with their separators, German letters
// as entities.
QString naviValue(const QStringList &links);

// value rounded half away from zero to decimals places and to at most 7 significant digits, with
// exactly decimals places and locale's separators; more than 7 integer digits after rounding give
// the exponent form ("1E9", "1,234568E7").
QString formatMinMax(double value, int decimals, const QLocale &locale);
