#pragma once

#include <QWidget>

class PageEditSession;
class QTextBrowser;

// The tab "Vorschau": the page as the web server will lay it out, drawn anew whenever the tab is
// shown or the page changes.
class PreviewTab : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewTab(const PageEditSession &session, QWidget *parent = nullptr);

    void refresh();
    QTextBrowser *browser() const { return m_browser; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    const PageEditSession &m_session;
    QTextBrowser *m_browser = nullptr;
};
