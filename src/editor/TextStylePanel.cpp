#include "editor/TextStylePanel.h"

#include "text/Guard.h"
#include "text/Prompt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

QColor screenColour(TColor colour)
{
    if (colour < 0)
        return QApplication::palette().color(QPalette::Base);
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QFont styleFont(const QString &face, qint32 size, qint32 style)
{
    QFont font(face);
    font.setPointSize(std::max(1, int(size)));
    font.setBold(style & fsBold);
    font.setItalic(style & fsItalic);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
    return font;
}

TextStylePanel::TextStylePanel(PageModel &model, TextStyle which, Prompt &prompt, const Names &names, QWidget *parent)
    : QWidget(parent), m_model(model), m_which(which), m_prompt(prompt)
{
    m_preview = new QLabel;
    m_preview->setObjectName(names.preview);
    m_preview->setAutoFillBackground(true);
    m_preview->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_preview->setAccessibleName(u"Vorschau "_s + names.style);
    m_fontButton = new QPushButton(u"Schrift..."_s);
    m_fontButton->setObjectName(names.fontButton);
    m_fontButton->setAccessibleName(u"Schrift "_s + names.style);
    m_fontButton->setToolTip(u"Schrift für %1 wählen"_s.arg(names.style));
    m_colourButton = new QPushButton(u"Farbe..."_s);
    m_colourButton->setObjectName(names.colourButton);
    m_colourButton->setAccessibleName(u"Hintergrundfarbe "_s + names.style);
    m_colourButton->setToolTip(u"Hintergrundfarbe für %1 wählen"_s.arg(names.style));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The preview keeps the room of its cap, so the buttons do not move when it is resized.
    auto *previewSlot = new QWidget;
    previewSlot->setFixedWidth(PageModel::previewWidthCap(which));
    auto *slotLayout = new QHBoxLayout(previewSlot);
    slotLayout->setContentsMargins(0, 0, 0, 0);
    slotLayout->addWidget(m_preview, 0, Qt::AlignLeft | Qt::AlignVCenter);
    slotLayout->addStretch();
    layout->addWidget(previewSlot);
    layout->addWidget(m_fontButton);
    layout->addWidget(m_colourButton);
    layout->addStretch();

    connectGuarded(m_prompt, m_fontButton, &QPushButton::clicked, this, &TextStylePanel::chooseFont);
    connectGuarded(m_prompt, m_colourButton, &QPushButton::clicked, this, &TextStylePanel::chooseBackground);
    refresh();
}

void TextStylePanel::refresh()
{
    const TextStyleRef style = m_model.textStyle(m_which);
    const QFont font = styleFont(style.face, style.size, style.style);
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::WindowText, screenColour(style.colour));
    palette.setColor(QPalette::Window, screenColour(style.background));
    m_preview->setPalette(palette);
    m_preview->setFont(font);
    const QString text = m_model.previewText(m_which);
    m_preview->setText(text);
    // Sized to the text, never wider than the cap: a longer text is clipped.
    const QFontMetrics metrics(font);
    m_preview->setFixedSize(std::min(metrics.horizontalAdvance(text), PageModel::previewWidthCap(m_which)),
                            metrics.height());
}

void TextStylePanel::chooseFont()
{
    if (!m_model.chooseStyleFont(m_which, m_prompt))
        return;
    refresh();
    emit styleChanged();
}

void TextStylePanel::chooseBackground()
{
    if (!m_model.chooseStyleBackground(m_which, m_prompt))
        return;
    refresh();
    emit styleChanged();
}
