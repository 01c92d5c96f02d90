#pragma once

#include <QColor>
#include <QString>

class QLabel;

// A notice the user must not overlook (no execution file read): a short text in the error colour,
// its explanation as tooltip and accessible description.

// The colour of notices and of the file view's warnings.
inline QColor noticeColour()
{
    return QColor(0xB0, 0x00, 0x20);
}

// label shows notice in the error colour with reason as its tooltip.
void showNotice(QLabel *label, const QString &notice, const QString &reason);

// label shows text in colour, without tooltip or description.
void showPlain(QLabel *label, const QString &text, const QColor &colour);
