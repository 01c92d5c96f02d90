#include "editor/FileViewTab.h"

#include "dialogs/Notice.h"
#include "page/PageEditSession.h"
#include "page/PageFileView.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString TagColour = u"#7a1fa2"_s;
const QString KeyColour = u"#1f5fa8"_s;
const QString ValueColour = u"#202020"_s;

QString coloured(const QString &colour, const QString &text)
{
    return u"<span style=\"color:"_s + colour + u"\">"_s + withVisibleSeparators(text).toHtmlEscaped() +
           u"</span>"_s;
}

QString lineHtml(const PageFileViewLine &line)
{
    QString html;
    switch (line.kind) {
    case PageFileViewLine::Kind::Tag:
        html = u"<b>"_s + coloured(TagColour, line.key) + u"</b>"_s;
        if (line.text.size() > line.key.size())
            html += coloured(TagColour, u"="_s) + coloured(ValueColour, line.value);
        break;
    case PageFileViewLine::Kind::KeyValue:
        html = coloured(KeyColour, line.key) + coloured(KeyColour, u"="_s) + coloured(ValueColour, line.value);
        break;
    case PageFileViewLine::Kind::Other:
        html = coloured(ValueColour, line.text);
        break;
    }
    if (!line.note.isEmpty())
        html += u"<br/><span style=\"color:"_s + noticeColour().name() + u"\">&nbsp;&nbsp;⚠ "_s + line.note.toHtmlEscaped() +
                u"</span>"_s;
    return html;
}
} // namespace

FileViewTab::FileViewTab(const PageEditSession &session, QWidget *parent) : QWidget(parent), m_session(session)
{
    setObjectName(u"DateiAnsicht"_s);
    setAccessibleName(u"Datei-Ansicht"_s);
    m_view = new QTextEdit;
    m_view->setObjectName(u"FileView"_s);
    m_view->setAccessibleName(u"Inhalt der Seitendatei"_s);
    m_view->setReadOnly(true);
    m_view->setLineWrapMode(QTextEdit::NoWrap);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_copyButton = new QPushButton(u"&Kopieren"_s);
    m_copyButton->setObjectName(u"CopyFileBtn"_s);
    m_copyButton->setToolTip(u"Den Inhalt der Seitendatei in die Zwischenablage kopieren"_s);
    auto *hint = new QLabel(u"So wird die Seitendatei beim Klick auf OK geschrieben. %1 trennt Name und Ziel "
                            u"eines Links, %2 beendet ihn."_s.arg(LinkNameSymbol, LinkEndSymbol));
    hint->setWordWrap(true);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1);
    bottom->addWidget(m_copyButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addLayout(bottom);
    connect(m_copyButton, &QPushButton::clicked, this, &FileViewTab::copyToClipboard);
}

void FileViewTab::refresh()
{
    QStringList html;
    QStringList text;
    for (const PageFileViewLine &line : pageFileView(m_session.document(), m_session.catalogue())) {
        html << lineHtml(line);
        text << line.text;
    }
    m_text = text.join(u'\n');
    const int position = m_view->verticalScrollBar()->value();
    m_view->setHtml(u"<html><body style=\"white-space:pre\">"_s + html.join(u"<br/>"_s) + u"</body></html>"_s);
    m_view->verticalScrollBar()->setValue(position);
}

void FileViewTab::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void FileViewTab::copyToClipboard()
{
    refresh();
    QApplication::clipboard()->setText(m_text);
}
