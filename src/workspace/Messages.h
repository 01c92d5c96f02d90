#pragma once

#include <QString>

// Texts the workspace layer shows: project file, user list, IP list and the closing question.
namespace WorkspaceMessages {
inline const QString ProjectFileNotFound = QStringLiteral("Datei %1 nicht gefunden");
inline const QString UserFileNotFound = QStringLiteral("Datei nicht gefunden: %1");
inline const QString SaveChangesQuestion =
    QStringLiteral("Änderungen wurden noch nicht gespeichert. Soll jetzt gespeichert werden?");
inline const QString ExecFileFilter = QStringLiteral("Ausführungsdatei");
inline const QString UpdaterMissing = QStringLiteral("Datei %1 nicht gefunden");
// Spelled as the runtime's users know it.
inline const QString InvalidIP = QStringLiteral("Ungültige IP-Adersse");
} // namespace WorkspaceMessages
