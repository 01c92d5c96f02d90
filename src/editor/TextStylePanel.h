#pragma once

#include "dialogs/StyleConversions.h"
#include "page/SiteData.h"

#include <QWidget>

class PageEditSession;
class Prompt;
class QLabel;
class QToolButton;

// One text style of the page: a preview showing a sample text in the style's font, text colour
// and background, sized to the text up to the style's width cap, with a font button and a colour
// button beside it. The style's values live in the page; the panel shows them and hands the
// dialogs' choices to the session.
class TextStylePanel : public QWidget
{
    Q_OBJECT

public:
    // Object names of the preview and the two buttons, and the style's name as the buttons'
    // accessible names say it ("Schrift Überschrift", "Hintergrundfarbe Überschrift").
    struct Names
    {
        QString preview;
        QString fontButton;
        QString colourButton;
        QString style;
    };

    // Where the two buttons sit: beside the preview's room, or below it where the row is short of room.
    enum class Buttons { Beside, Below };

    TextStylePanel(PageEditSession &session, TextStyle which, Prompt &prompt, const Names &names,
                   Buttons buttons = Buttons::Beside, QWidget *parent = nullptr);

    // Shows the style and the preview text as the page holds them, sized to the text.
    void refresh();

    QLabel *preview() const { return m_preview; }

signals:
    // The font or the background changed through a dialog.
    void styleChanged();

private:
    void chooseFont();
    void chooseBackground();

    PageEditSession &m_session;
    TextStyle m_which;
    Prompt &m_prompt;
    QLabel *m_preview = nullptr;
    QToolButton *m_fontButton = nullptr;
    QToolButton *m_colourButton = nullptr;
};
