#include "editor/PreviewTab.h"

#include "page/PageEditSession.h"
#include "page/PagePreview.h"

#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

PreviewTab::PreviewTab(const PageEditSession &session, QWidget *parent) : QWidget(parent), m_session(session)
{
    setObjectName(u"Vorschau"_s);
    setAccessibleName(u"Vorschau"_s);
    m_browser = new QTextBrowser;
    m_browser->setObjectName(u"PreviewBrowser"_s);
    m_browser->setAccessibleName(u"Vorschau der Seite"_s);
    // The page's links lead nowhere inside the editor.
    m_browser->setOpenLinks(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
}

void PreviewTab::refresh()
{
    // The reader keeps its place while the page changes under it.
    const int position = m_browser->verticalScrollBar()->value();
    m_browser->setHtml(pagePreviewHtml(m_session.document(), m_session.catalogue()));
    m_browser->verticalScrollBar()->setValue(position);
}

void PreviewTab::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}
