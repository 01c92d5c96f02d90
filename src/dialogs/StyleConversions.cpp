#include "dialogs/StyleConversions.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

QColor screenColour(TColor colour)
{
    if (colour < 0)
        return QApplication::palette().color(QPalette::Base);
    // Red in the lowest byte.
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

TColor pageColour(const QColor &colour)
{
    return TColor(colour.red() | (colour.green() << 8) | (colour.blue() << 16));
}

QFont styleFont(const QString &face, qint32 size, qint32 style)
{
    QFont font(face);
    font.setPointSize(std::max(1, int(size)));
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    font.setStrikeOut(style & 8);
    return font;
}
