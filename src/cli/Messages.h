#pragma once

#include <QString>

// Texts of webdef-cli.
namespace CliMessages {
inline const QString NoExecFile = QStringLiteral("Keine Ausführungsdatei angegeben");
inline const QString UnknownCommand = QStringLiteral("Unbekannter Befehl: %1");
inline const QString Usage = QStringLiteral(
    "Aufruf:\n"
    "  webdef-cli --help | --version\n"
    "  webdef-cli catalogue AUSFÜHRUNGSDATEI\n"
    "      Liest die Ausführungsdatei und gibt den Objektkatalog als JSON aus.\n"
    "  webdef-cli refresh PROJEKTDATEI [--exec AUSFÜHRUNGSDATEI]\n"
    "      Schreibt alle Seitendateien des Projekts mit dem Katalog der Ausführungsdatei neu.\n"
    "  webdef-cli check PROJEKTDATEI [--exec AUSFÜHRUNGSDATEI] [--json]\n"
    "      Prüft das Projekt und gibt die Befunde aus, einen je Zeile (--json: als JSON).\n"
    "      Rückgabewert 0: keine Befunde, 3: Befunde, 1: Projekt- oder Ausführungsdatei nicht lesbar.\n");
} // namespace CliMessages
