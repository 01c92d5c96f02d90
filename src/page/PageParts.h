#pragma once

#include <QString>
#include <QStringList>

// The fixed name lists of a page: the six parts the web server builds a page from, and the three
// columns of a page's object table. An entry of the build or column order is identified by the
// position of its text in these lists; that position is what the page file stores.
namespace PageParts {
inline const QStringList PagePartNames = {
    QStringLiteral("Navigationszeile 1"), QStringLiteral("Objekte"),          QStringLiteral("Makros"),
    QStringLiteral("Navigationszeile 2"), QStringLiteral("HTML-Einfügung 1"), QStringLiteral("HTML-Einfügung 2"),
};

inline const QStringList ObjColumnNames = {
    QStringLiteral("Bezeichnung"),
    QStringLiteral("Zustand/Wert"),
    QStringLiteral("Eingabe"),
};

// Positions in PagePartNames.
enum Part { Navi1 = 0, Objects = 1, Macros = 2, Navi2 = 3, Html1 = 4, Html2 = 5 };
} // namespace PageParts
