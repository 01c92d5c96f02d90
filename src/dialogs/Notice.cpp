#include "dialogs/Notice.h"

#include <QLabel>

namespace {
void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}
} // namespace

void showNotice(QLabel *label, const QString &notice, const QString &reason)
{
    label->setText(notice);
    setTextColour(label, noticeColour());
    label->setToolTip(reason);
    label->setAccessibleDescription(reason);
}

void showPlain(QLabel *label, const QString &text, const QColor &colour)
{
    label->setText(text);
    setTextColour(label, colour);
    label->setToolTip(QString());
    label->setAccessibleDescription(QString());
}
