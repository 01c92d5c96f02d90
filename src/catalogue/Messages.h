#pragma once

#include <QString>

// Texts of the execution file reader.
namespace CatalogueMessages {
// %1: the file name as given.
inline const QString FileNotFound = QStringLiteral("Datei %1 nicht gefunden");
// Followed by one blank and the file name.
inline const QString InvalidFile = QStringLiteral("Ungültige Datei");
// Followed directly by the line number, then ": " and the last data line.
inline const QString ReadFailed = QStringLiteral("Fehler beim Lesen der Datei");
} // namespace CatalogueMessages
