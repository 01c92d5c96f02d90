#include "editor/HTMLCodeTab.h"

#include "dialogs/Accessible.h"
#include "dialogs/WidgetHelpers.h"
#include "page/PageModel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

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

HTMLCodeTab::HTMLCodeTab(PageModel &page, QWidget *parent) : QWidget(parent), m_page(page)
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
                     [this] { m_page.HTMLCode1MB = editLines(HTMLCode1MB->toPlainText()); });
    QObject::connect(HTMLCode2MB, &QPlainTextEdit::textChanged, this,
                     [this] { m_page.HTMLCode2MB = editLines(HTMLCode2MB->toPlainText()); });
    loadFromModel();
}

void HTMLCodeTab::loadFromModel()
{
    const QSignalBlocker first(HTMLCode1MB), second(HTMLCode2MB);
    HTMLCode1MB->setPlainText(editText(m_page.HTMLCode1MB));
    HTMLCode2MB->setPlainText(editText(m_page.HTMLCode2MB));
}

void HTMLCodeTab::HTMLCodeEnter()
{
    HTMLCode1MB->setFocus(Qt::OtherFocusReason);
    m_page.HTMLCodeEnter();
}

void HTMLCodeTab::focusMoved(QWidget *from, QWidget *to)
{
    // Entered from outside while in front already (a click into one of the edits): only the rule.
    if (focusEnters(from, to, this))
        m_page.HTMLCodeEnter();
    if (focusEnters(from, to, HTMLCode1MB))
        HTMLCode1MBEnter();
    if (focusEnters(from, to, HTMLCode2MB))
        HTMLCode2MBEnter();
}

void HTMLCodeTab::HTMLCode1MBEnter()
{
    m_page.IsChanged = true;
}

void HTMLCodeTab::HTMLCode2MBEnter()
{
    m_page.IsChanged = true;
}
