#include "editor/HTMLCodeTab.h"

#include "dialogs/WidgetHelpers.h"
#include "page/PageEditSession.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {
QPlainTextEdit *insertEdit(const QString &name)
{
    auto *edit = named<QPlainTextEdit>(name);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Long lines wrap on the screen only: the lines stored are the ones typed.
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setTabChangesFocus(true);
    return edit;
}

// Every line ends with a line break, as a multi-line edit holds its lines; so an empty last line
// of the insert shows as a line of its own.
QString editText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + u'\n';
    return text;
}

// The lines of the edit's text; the break after the last line ends it and starts no empty one.
QStringList editLines(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
} // namespace

HTMLCodeTab::HTMLCodeTab(PageEditSession &session, QWidget *parent) : QWidget(parent), m_session(session)
{
    setObjectName(u"HTMLCode"_s);
    HTMLCode1MB = insertEdit(u"HTMLCode1MB"_s);
    HTMLCode2MB = insertEdit(u"HTMLCode2MB"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(labelFor(u"HTML-Einfügung 1"_s, HTMLCode1MB));
    layout->addWidget(HTMLCode1MB, 1);
    layout->addWidget(labelFor(u"HTML-Einfügung 2"_s, HTMLCode2MB));
    layout->addWidget(HTMLCode2MB, 1);

    QObject::connect(HTMLCode1MB, &QPlainTextEdit::textChanged, this,
                     [this] { m_session.setHtmlInsert(1, editLines(HTMLCode1MB->toPlainText())); });
    QObject::connect(HTMLCode2MB, &QPlainTextEdit::textChanged, this,
                     [this] { m_session.setHtmlInsert(2, editLines(HTMLCode2MB->toPlainText())); });
    loadFromModel();
}

void HTMLCodeTab::loadFromModel()
{
    // Set even when the text is the same: nothing typed on the page before is left to undo.
    const QSignalBlocker first(HTMLCode1MB), second(HTMLCode2MB);
    HTMLCode1MB->setPlainText(editText(m_session.document().html1));
    HTMLCode2MB->setPlainText(editText(m_session.document().html2));
}

void HTMLCodeTab::reloadPage()
{
    const QSignalBlocker first(HTMLCode1MB), second(HTMLCode2MB);
    // An insert that holds the page's lines already is left alone, with or without the break
    // after its last line: it keeps its text as typed, its cursor and its own undo.
    for (const auto &[edit, lines] :
         {std::pair{HTMLCode1MB, &m_session.document().html1}, std::pair{HTMLCode2MB, &m_session.document().html2}}) {
        if (editLines(edit->toPlainText()) != *lines)
            edit->setPlainText(editText(*lines));
    }
}

void HTMLCodeTab::HTMLCodeEnter()
{
    HTMLCode1MB->setFocus(Qt::OtherFocusReason);
    m_session.enterHtmlInserts();
}

void HTMLCodeTab::focusMoved(QWidget *from, QWidget *to)
{
    // Entered from outside while in front already (a click into one of the edits): only the rule.
    if (focusEnters(from, to, this))
        m_session.enterHtmlInserts();
    if (focusEnters(from, to, HTMLCode1MB))
        HTMLCode1MBEnter();
    if (focusEnters(from, to, HTMLCode2MB))
        HTMLCode2MBEnter();
}

void HTMLCodeTab::HTMLCode1MBEnter()
{
    m_session.markChanged();
}

void HTMLCodeTab::HTMLCode2MBEnter()
{
    m_session.markChanged();
}
