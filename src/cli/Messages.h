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
    "      Rückgabewert 0: keine Befunde, 3: Befunde, 1: Projekt- oder Ausführungsdatei nicht lesbar.\n"
    "  webdef-cli reassign PROJEKTDATEI [--exec AUSFÜHRUNGSDATEI] [--map ALT=NEU ...] [--auto] [--dry-run]\n"
    "                      [--json]\n"
    "      Nennt die Objekt- und Makronamen der Seiten, die die Ausführungsdatei nicht mehr anbietet, mit\n"
    "      dem wahrscheinlichen Ersatz. --map ordnet einen Namen von Hand zu, --auto jeden Vorschlag ab\n"
    "      70 Punkten; die Zeilen werden in allen Seiten neu geschrieben (alle oder keine). --dry-run\n"
    "      zeigt nur, was sich ändern würde.\n"
    "      Rückgabewert 0: fertig oder nichts verloren, 3: Namen ohne Zuordnung, 1: Datei nicht lesbar\n"
    "      oder nicht schreibbar.\n");
// reassign
inline const QString ReassignProposal = QStringLiteral("%1 (%2 Punkte, %3)");
inline const QString ReassignAssigned = QStringLiteral("; zugeordnet: %1");
inline const QString ReassignBadMap = QStringLiteral("--map braucht ALT=NEU: %1");
inline const QString ReassignNoEntry =
    QStringLiteral("%1 ist kein angebotener Eintrag, der die Zeilen von %2 aufnehmen kann");
inline const QString ReassignNotLost = QStringLiteral("%1 ist kein verlorener Name des Projekts");
inline const QString ReassignPageUnread = QStringLiteral("Seite %1 nicht gelesen");
} // namespace CliMessages
