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

// Shown where the execution file is named while the catalogue offers no object; the reasons below
// (or the failed read's own message) explain it.
inline const QString NoCatalogue = QStringLiteral("Keine Ausführungsdatei gelesen");
inline const QString NothingRead =
    QStringLiteral("Es wurde keine Ausführungsdatei gelesen. Sie wird mit „Datei / Ausführungsdatei lesen...“ "
                   "gewählt; bis dahin werden keine Objekte angeboten.");
inline const QString NoObjects = QStringLiteral("Die Ausführungsdatei %1 enthält keine Objekte.");
} // namespace CatalogueMessages
