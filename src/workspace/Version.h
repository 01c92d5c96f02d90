#pragma once

#include <QString>

// What the info box shows, the updater is told and webdef-cli --version prints.
namespace Version {
inline const QString ProductName = QStringLiteral("Fennaro WebDef");
inline const QString Number = QStringLiteral("2.2");
inline const QString Release = QStringLiteral("200910");
inline const QString WebAddress = QStringLiteral("https://www.fennaro.example/webdef");
} // namespace Version
