#pragma once

#include <QString>

// Texts of the general error handler and of the file helpers.
namespace Messages {
inline const QString IoError = QStringLiteral("E/A-Fehler %1");
inline const QString NotAnInteger = QStringLiteral("'%1' ist kein gültiger Integerwert");
inline const QString NotABoolean = QStringLiteral("'%1' ist kein gültiger boolescher Wert");
inline const QString WriteFailed = QStringLiteral("Fehler %1 beim Schreiben der Datei %2");
inline const QString NoEntrySelected = QStringLiteral("Kein Eintrag ausgewählt");
} // namespace Messages
