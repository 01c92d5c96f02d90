#include "editor/ColourPanel.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>

ColourPanel::ColourPanel(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ColourPanel::setColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

QSize ColourPanel::sizeHint() const
{
    const int height = fontMetrics().height() + 8;
    return {3 * height, height};
}

void ColourPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = 1;
    frame.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    painter.fillRect(rect().adjusted(3, 3, -3, -3), m_colour);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
