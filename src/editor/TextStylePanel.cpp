#include "editor/TextStylePanel.h"

#include "dialogs/StyleConversions.h"
#include "page/PageEditSession.h"
#include "text/Guard.h"
#include "text/Prompt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

TextStylePanel::TextStylePanel(PageEditSession &session, TextStyle which, Prompt &prompt, const Names &names,
                               Buttons buttons, QWidget *parent)
    : QWidget(parent), m_session(session), m_which(which), m_prompt(prompt)
{
    m_preview = new QLabel;
    m_preview->setObjectName(names.preview);
    m_preview->setAutoFillBackground(true);
    m_preview->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_preview->setAccessibleName(u"Vorschau "_s + names.style);
    // Tool buttons: narrower than push buttons, so four style rows fit beside the window's other groups.
    m_fontButton = new QToolButton;
    m_fontButton->setText(u"Schrift…"_s);
    m_fontButton->setObjectName(names.fontButton);
    m_fontButton->setAccessibleName(u"Schrift "_s + names.style);
    m_fontButton->setToolTip(u"Schrift für %1 wählen"_s.arg(names.style));
    m_colourButton = new QToolButton;
    m_colourButton->setText(u"Farbe…"_s);
    m_colourButton->setObjectName(names.colourButton);
    m_colourButton->setAccessibleName(u"Hintergrundfarbe "_s + names.style);
    m_colourButton->setToolTip(u"Hintergrundfarbe für %1 wählen"_s.arg(names.style));
    // A click takes the focus as a push button's does: it enters the group the panel sits in.
    m_fontButton->setFocusPolicy(Qt::StrongFocus);
    m_colourButton->setFocusPolicy(Qt::StrongFocus);

    // The preview keeps the room of its cap, so the buttons do not move when it is resized.
    auto *previewSlot = new QWidget;
    previewSlot->setFixedWidth(PageEditSession::previewWidthCap(which));
    auto *slotLayout = new QHBoxLayout(previewSlot);
    slotLayout->setContentsMargins(0, 0, 0, 0);
    slotLayout->addWidget(m_preview, 0, Qt::AlignLeft | Qt::AlignVCenter);
    slotLayout->addStretch();
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_fontButton);
    buttonRow->addWidget(m_colourButton);
    buttonRow->addStretch();

    QBoxLayout *layout =
        buttons == Buttons::Beside ? static_cast<QBoxLayout *>(new QHBoxLayout(this)) : new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(previewSlot);
    layout->addLayout(buttonRow);

    connectGuarded(m_prompt, m_fontButton, &QToolButton::clicked, this, &TextStylePanel::chooseFont);
    connectGuarded(m_prompt, m_colourButton, &QToolButton::clicked, this, &TextStylePanel::chooseBackground);
    refresh();
}

void TextStylePanel::refresh()
{
    const TextStyleValue style = textStyleValue(m_session.document().layout, m_which);
    const QFont font = styleFont(style.face, style.size, style.style);
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::WindowText, screenColour(style.colour));
    palette.setColor(QPalette::Window, screenColour(style.background));
    m_preview->setPalette(palette);
    m_preview->setFont(font);
    const QString text = m_session.previewText(m_which);
    m_preview->setText(text);
    // Sized to the text, never wider than the cap: a longer text is clipped.
    const QFontMetrics metrics(font);
    m_preview->setFixedSize(std::min(metrics.horizontalAdvance(text), PageEditSession::previewWidthCap(m_which)),
                            metrics.height());
}

void TextStylePanel::chooseFont()
{
    if (!m_session.chooseStyleFont(m_which, m_prompt))
        return;
    refresh();
    emit styleChanged();
}

void TextStylePanel::chooseBackground()
{
    if (!m_session.chooseStyleBackground(m_which, m_prompt))
        return;
    refresh();
    emit styleChanged();
}
