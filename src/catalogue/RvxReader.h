#pragma once

#include <QString>

class Catalogue;
class Prompt;

// Reads the execution file fileName (the compiled control program, .RVX/.RVP) and appends its
// enumeration types, variables and objects to the lists of catalogue; the lists are never cleared
// here. Failures are shown through prompt ("Datei %s nicht gefunden", "Ungültige Datei <name>",
// "Fehler beim Lesen der Datei<n>: <line>", "E/A-Fehler <n>"); an empty name fails silently. Nothing
// escapes as an exception. Returns true when the whole file was read: only then is *execFileDate
// (may be nullptr) set to the file's modification time (local time, 2-second resolution) as an
// OleDate, and the catalogue marked complete; on failure it is marked incomplete and keeps the
// entries read before the failure.
bool ReadRVXFile(const QString &fileName, Catalogue &catalogue, Prompt &prompt, double *execFileDate);

// Unscrambles one line after the header in place: every character whose low 8 bits b and b XOR key
// are both 32 or more becomes the character b XOR key (its upper 8 bits dropped); then the order of
// the characters is reversed, a surrogate pair moving as one. Scrambling is the same two steps.
void UnscrambleLine(QString &line, quint8 key);

// Splits a section header name=number at its first "=". When the part after it is a whole decimal
// number, line becomes the part before and number that number (true). Otherwise number becomes 0
// and line stays (false); a line without "=" changes nothing (false).
bool SplitNameNumber(QString &line, qint32 &number);

// The unscrambling key carried by the header line: (low 8 bits of its second-to-last character
// - 5) modulo 256. Returns -1 for a line shorter than two characters.
int execFileKey(const QString &headerLine);
