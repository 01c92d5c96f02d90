#pragma once

#include "text/Entities.h"

#include <QColor>
#include <QFont>
#include <QString>

// A page's colours and text styles as the screen shows them, and back.

// The colour of a page value on the screen (a system colour shows as the window's base colour).
QColor screenColour(TColor colour);
// The page's colour value of a screen colour.
TColor pageColour(const QColor &colour);
// The font a text style names: face, size in points and style bits (bold 1, italic 2, underline 4,
// strike-out 8).
QFont styleFont(const QString &face, qint32 size, qint32 style);
