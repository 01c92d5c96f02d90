#pragma once

#include <QString>

// Texts of the general error handler and of the file helpers.
namespace Messages {
inline const QString IoError = QStringLiteral("E/A-Fehler %1");
// An input/output error, naming the file it happened on.
inline const QString IoErrorInFile = QStringLiteral("E/A-Fehler %1: %2");
inline const QString NotRegularFile =
    QStringLiteral("%1 ist keine gewöhnliche Datei (ein Gerät, eine Pipe oder eine Verknüpfung, die aus ihrem "
                   "Ordner hinaus oder ins Leere zeigt); sie wird weder gelesen noch geschrieben.");
inline const QString NameTooLong =
    QStringLiteral("Der Name der Datei %1 ist zu lang: Windows erlaubt höchstens %2 Zeichen.");
inline const QString NotAnInteger = QStringLiteral("'%1' ist kein gültiger Integerwert");
inline const QString NotABoolean = QStringLiteral("'%1' ist kein gültiger boolescher Wert");
inline const QString WriteFailed = QStringLiteral("Fehler %1 beim Schreiben der Datei %2");
inline const QString NoEntrySelected = QStringLiteral("Kein Eintrag ausgewählt");
} // namespace Messages
