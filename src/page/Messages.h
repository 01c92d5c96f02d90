#pragma once

#include <QString>

// Texts of the page model, the page file reader and the page file writer.
namespace PageMessages {
inline const QString FileNotFound = QStringLiteral("Datei nicht gefunden: %1");
inline const QString NotAPage =
    QStringLiteral("Die Datei %1 enthält keine Seite (keine Kopfzeile und kein Abschnitt: ein anderes Format oder "
                   "eine andere Zeichenkodierung).");
inline const QString NotAPageOpenedEmpty =
    QStringLiteral("Die Seite wird leer geöffnet; die Datei bleibt unverändert, bis Sie mit OK speichern.");
inline const QString NotAPageSkipped =
    QStringLiteral("Die Seite wird beim Aktualisieren übersprungen; die Datei bleibt unverändert.");
inline const QString AutoRefreshWithInput =
    QStringLiteral("Automatische Aktualisierung ist nur möglich wenn die Seite keine Eingabefelder hat, da "
                   "Eingaben sonst durch die Aktualisierung gelöscht würden.\r"
                   "Automatische Aktualisierung wird deaktiviert.");
inline const QString OnlyObjects = QStringLiteral("Nur Objekte zulässig");
inline const QString NameMissing = QStringLiteral("Name muss angegeben werden");
inline const QString NameTaken = QStringLiteral("Dieser Name ist schon vergeben");
inline const QString DiscardChangesQuestion = QStringLiteral("Änderungen werden nicht gespeichert. Ist das richtig?");
inline const QString NaviTooLong =
    QStringLiteral("Die Navigationsleiste ist %1 Zeichen lang; beim Lesen der Seite werden nur %2 Zeichen "
                   "übernommen. Links, die darüber hinausgehen, gehen beim nächsten Lesen der Seite verloren.\r"
                   "Die Seite wird trotzdem gespeichert.");
// Asked at OK when rows name entries the catalogue does not offer: the writer drops them.
inline const QString UnresolvedRowQuestion =
    QStringLiteral("1 Objekt- oder Makrozeile nennt ein Objekt, das nicht angeboten wird („Fehler“). Sie wird "
                   "aus der Seitendatei entfernt.\rTrotzdem speichern?");
inline const QString UnresolvedRowsQuestion =
    QStringLiteral("%1 Objekt- und Makrozeilen nennen Objekte, die nicht angeboten werden („Fehler“). Sie werden "
                   "aus der Seitendatei entfernt.\rTrotzdem speichern?");
inline const QString LinkNameSeparator =
    QStringLiteral("Der Name eines Links darf die Zeichenfolge \" : \" nicht enthalten.");
inline const QString LinkQuote = QStringLiteral("Name und Ziel eines Links dürfen kein Anführungszeichen (\") enthalten.");
inline const QString EditorCaption = QStringLiteral("WEB-Seite definieren");

// Input states of an object row.
inline const QString InputYes = QStringLiteral("ja");
inline const QString InputNo = QStringLiteral("nein");
inline const QString InputNone = QStringLiteral("###");
inline const QString InputError = QStringLiteral("Fehler");

// Grid headers.
inline const QString ObjNameHeader = QStringLiteral("Objektname");
inline const QString LabelHeader = QStringLiteral("Bezeichnung");
inline const QString InputHeader = QStringLiteral("Eingabe");
inline const QString MacroNameHeader = QStringLiteral("Makroname");

// Preview texts.
inline const QString HeadPreviewStart = QStringLiteral("Überschrift");
inline const QString NaviPreviewStart = QStringLiteral("home");
inline const QString ObjPreview = QStringLiteral("Objektbezeichnung");
inline const QString ValPreview = QStringLiteral("Objektwert");
} // namespace PageMessages

// Names of the steps the page editor can undo and redo, as its buttons' tooltips show them
// ("Rückgängig: Objekt löschen").
namespace UndoSteps {
inline const QString AddObject = QStringLiteral("Objekt hinzufügen");
inline const QString DeleteObject = QStringLiteral("Objekt löschen");
inline const QString MoveObject = QStringLiteral("Objekt verschieben");
inline const QString AddMacro = QStringLiteral("Makro hinzufügen");
inline const QString DeleteMacro = QStringLiteral("Makro löschen");
inline const QString MoveMacro = QStringLiteral("Makro verschieben");
inline const QString Label = QStringLiteral("Bezeichnung ändern");
inline const QString Input = QStringLiteral("Eingabe umschalten");
inline const QString AddLink = QStringLiteral("Link hinzufügen");
inline const QString AddExternalLink = QStringLiteral("Externen Link hinzufügen");
inline const QString EditLink = QStringLiteral("Link bearbeiten");
inline const QString DeleteLink = QStringLiteral("Link löschen");
inline const QString MoveLink = QStringLiteral("Link verschieben");
inline const QString PageName = QStringLiteral("Seitenname ändern");
inline const QString Headline = QStringLiteral("Überschrift ändern");
inline const QString Font = QStringLiteral("Schrift ändern");
inline const QString Background = QStringLiteral("Hintergrundfarbe ändern");
inline const QString PageBackground = QStringLiteral("Seitenhintergrund ändern");
inline const QString BuildOrder = QStringLiteral("Reihenfolge des Seitenaufbaus ändern");
inline const QString ColumnOrder = QStringLiteral("Reihenfolge der Objektspalten ändern");
inline const QString AutoWidth = QStringLiteral("Seitenanpassung für mobile Geräte ändern");
inline const QString NoAutoScale = QStringLiteral("Skalierung ändern");
inline const QString AutoRefresh = QStringLiteral("Automatische Aktualisierung ändern");
inline const QString Html1 = QStringLiteral("HTML-Einfügung 1 ändern");
inline const QString Html2 = QStringLiteral("HTML-Einfügung 2 ändern");
// A layout number: "%1" is the caption of its field ("Breite ändern").
inline const QString Number = QStringLiteral("%1 ändern");
} // namespace UndoSteps
