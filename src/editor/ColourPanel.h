#pragma once

#include <QAbstractButton>
#include <QColor>

// A panel that shows a colour and is clicked (or pressed with the space bar) to choose another.
class ColourPanel : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ColourPanel(QWidget *parent = nullptr);

    void setColour(const QColor &colour);
    QColor colour() const { return m_colour; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour = Qt::white;
};
