#pragma once

#include <QString>

// Texts the workspace layer shows: project file, user list, IP list and the closing question.
namespace WorkspaceMessages {
inline const QString ProjectFileNotFound = QStringLiteral("Datei %1 nicht gefunden");
inline const QString UserFileNotFound = QStringLiteral("Datei nicht gefunden: %1");
inline const QString NotAProjectFile =
    QStringLiteral("Die Datei %1 ist keine Projektdatei (ein anderes Format oder eine andere Zeichenkodierung).");
inline const QString SaveChangesQuestion =
    QStringLiteral("Änderungen wurden noch nicht gespeichert. Soll jetzt gespeichert werden?");
inline const QString ExecFileFilter = QStringLiteral("Ausführungsdatei");
inline const QString UpdaterMissing = QStringLiteral("Datei %1 nicht gefunden");
// Asked before a page and its file are deleted; the references follow after one carriage return.
inline const QString DeletePageQuestion = QStringLiteral("Seite „%1“ löschen? Die Datei %2 wird sofort gelöscht.");
inline const QString ReferencesLeft = QStringLiteral("Danach verweisen ins Leere: %1.");
inline const QString ReferenceStartPage = QStringLiteral("die Startseite ohne Benutzeranmeldung");
inline const QString ReferenceUser = QStringLiteral("die Startseite des Benutzers %1");
inline const QString ReferenceUsers = QStringLiteral("die Startseiten der Benutzer %1");
inline const QString ReferencePage = QStringLiteral("die Links der Seite %1");
inline const QString ReferencePages = QStringLiteral("die Links der Seiten %1");
// Spelled as the runtime's users know it.
inline const QString InvalidIP = QStringLiteral("Ungültige IP-Adersse");

// Reassigning the rows of lost names.
inline const QString ProposalByPlace = QStringLiteral("gleicher Platz im Steuerprogramm");
inline const QString ProposalByName = QStringLiteral("ähnlicher Name");
inline const QString ProposalByDescription = QStringLiteral("gleiche Beschreibung");
inline const QString NoProposal = QStringLiteral("keine Zuordnung");
inline const QString PageChangedMeanwhile =
    QStringLiteral("Die Datei %1 wurde inzwischen geändert. Bitte die Objekte erneut suchen.");
inline const QString ReassignSummaryHead = QStringLiteral("%1 werden neu zugeordnet:");
inline const QString RowsOnPages = QStringLiteral("%1 auf %2");
inline const QString OneRow = QStringLiteral("1 Zeile");
inline const QString Rows = QStringLiteral("%1 Zeilen");
inline const QString OnePage = QStringLiteral("1 Seite");
inline const QString Pages = QStringLiteral("%1 Seiten");
inline const QString PageFileTooLarge = QStringLiteral("Die Datei %1 ist zu groß für eine Seitendatei.");
inline const QString ReassignSummaryPage = QStringLiteral("Seite „%1“:");
inline const QString ReassignSummaryObject = QStringLiteral("    Objektzeile „%1“: %2 → %3");
inline const QString ReassignSummaryMacro = QStringLiteral("    Makrozeile „%1“: %2 → %3");
inline const QString ReassignSummaryMore = QStringLiteral("… und %1 weitere Zeilen");
inline const QString ReassignQuestion = QStringLiteral("Die Seitendateien jetzt so schreiben?");
inline const QString ReassignNothingWritten =
    QStringLiteral("Keine Seitendatei wurde geändert; alle Seiten sind wie zuvor.");
} // namespace WorkspaceMessages

// Texts of the project check. A finding reads: the place it is about, ": ", the message.
namespace CheckMessages {
inline const QString ProjectPlace = QStringLiteral("Projekt");
inline const QString ExecFilePlace = QStringLiteral("Ausführungsdatei");
inline const QString UserListPlace = QStringLiteral("Benutzerliste");
inline const QString UserPlace = QStringLiteral("Benutzer „%1“");
inline const QString PagePlace = QStringLiteral("Seite „%1“");
inline const QString PageFilePlace = QStringLiteral("Seitendatei %1");
inline const QString ObjectRowDetail = QStringLiteral("Objektzeile %1 („%2“)");
inline const QString MacroRowDetail = QStringLiteral("Makrozeile %1 („%2“)");
inline const QString MacroRowWithoutNameDetail = QStringLiteral("Makrozeile %1");
inline const QString LinkDetail = QStringLiteral("Link %1 („%2“)");
inline const QString LineDetail = QStringLiteral("Zeile %1");

inline const QString NoExecFile =
    QStringLiteral("Das Projekt nennt keine Ausführungsdatei; Objekt- und Makrozeilen wurden nicht geprüft.");
inline const QString ExecFileUnreadable = QStringLiteral(
    "Die Ausführungsdatei kann nicht gelesen werden (%1); Objekt- und Makrozeilen wurden nicht geprüft.");
inline const QString ExecFileEmpty = QStringLiteral(
    "Die Ausführungsdatei %1 enthält keine Objekte; Objekt- und Makrozeilen wurden nicht geprüft.");
inline const QString EditorWithoutCatalogue =
    QStringLiteral("Im Editor ist keine Ausführungsdatei gelesen (%1); beim Speichern einer Seite fallen ihre Objekt- "
                   "und Makrozeilen weg.");
inline const QString NoStartPage = QStringLiteral("Es ist keine Startseite ohne Anmeldung angegeben.");
inline const QString StartPageNotListed =
    QStringLiteral("Die Startseite ohne Anmeldung „%1“ steht nicht in der Seitenliste.");
inline const QString UserFileMissing = QStringLiteral("Die Benutzerliste fehlt: %1");
inline const QString UserStartPageNotListed = QStringLiteral("Die Startseite „%1“ steht nicht in der Seitenliste.");
inline const QString UserTwice = QStringLiteral(
    "Der Benutzername steht schon als „%1“ in der Benutzerliste; Groß- und Kleinschreibung zählen dabei nicht.");
inline const QString UserWithoutPassword = QStringLiteral("Der Benutzer hat kein Kennwort.");
inline const QString PageFileMissing = QStringLiteral("Die Seitendatei fehlt: %1");
inline const QString PageFileNotListed = QStringLiteral("Die Seite „%1“ steht nicht in der Seitenliste.");
inline const QString PageUnreadable = QStringLiteral("Die Seitendatei kann nicht gelesen werden: %1");
inline const QString PageReadingStops =
    QStringLiteral("Das Lesen der Seite bricht hier ab (%1); beim Aktualisieren wird die Seite nicht neu geschrieben.");
inline const QString LinkTargetNotListed = QStringLiteral("Die Zielseite „%1“ steht nicht in der Seitenliste.");
inline const QString ObjectNotOffered = QStringLiteral(
    "Das Objekt wird nicht mehr angeboten; die Zeile fällt beim nächsten Speichern oder Aktualisieren weg.");
inline const QString MacroNotOffered = QStringLiteral(
    "Das Makro wird nicht mehr angeboten; die Zeile fällt beim nächsten Speichern oder Aktualisieren weg.");
inline const QString MacroWithoutName =
    QStringLiteral("Die Makrozeile hat keinen Namen; sie fällt beim nächsten Speichern oder Aktualisieren weg.");
inline const QString LabelBreaksRow =
    QStringLiteral("Die Bezeichnung „%1“ enthält \"@\" oder \", was die Zeile in der Seitendatei zerteilt.");
inline const QString RowCut =
    QStringLiteral("Die Zeile ist zerteilt: an der Stelle der Eingabe-Kennung steht „%1“ (eine Bezeichnung mit "
                   "\"@\"?); beim nächsten Speichern gehen der Rest der Bezeichnung und die Eingabe verloren.");
inline const QString NaviTooLongInFile = QStringLiteral(
    "Die Navigationszeile ist %1 Zeichen lang; gelesen werden nur %2, Links darüber hinaus gehen verloren.");
inline const QString NaviTooLongAtSave =
    QStringLiteral("Die Navigationszeile wird beim nächsten Speichern %1 Zeichen lang; gelesen werden nur %2.");
inline const QString PageNotAPage =
    QStringLiteral("Die Seitendatei enthält keine Seite (keine Kopfzeile und kein Abschnitt: ein anderes Format oder "
                   "eine andere Zeichenkodierung); beim Aktualisieren wird sie übersprungen.");
inline const QString NaviCountMismatch =
    QStringLiteral("Der Abschnitt der Navigationszeile nennt %1 Links, die Zeile enthält %2; gelesen werden %3.");
inline const QString PagePartTwice = QStringLiteral("Die Aufbaureihenfolge nennt „%1“ mehrfach.");
inline const QString ColumnTwice = QStringLiteral("Die Spaltenreihenfolge nennt „%1“ mehrfach.");
} // namespace CheckMessages
