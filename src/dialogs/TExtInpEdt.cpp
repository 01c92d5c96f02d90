#include "dialogs/TExtInpEdt.h"

#include <QApplication>

TExtInpEdt::TExtInpEdt(QWidget *parent) : QLineEdit(parent)
{
    // InpChange cannot fail, so it needs no guard.
    connect(this, &QLineEdit::textChanged, this, &TExtInpEdt::InpChange);
}

void TExtInpEdt::Init(qint16 InputID, qint16 cnt, quint8 AMode, quint8 CCase)
{
    Q_UNUSED(CCase);
    Mode = AMode;
    maxcnt = cnt;
    InpID = InputID;
}

bool TExtInpEdt::isNameChar(QChar ch)
{
    const char16_t c = ch.unicode();
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
        return true;
    switch (c) {
    case u'Ä':
    case u'Ö':
    case u'Ü':
    case u'ä':
    case u'ö':
    case u'ü':
    case u'ß':
        return true;
    default:
        return false;
    }
}

void TExtInpEdt::playErrorSound()
{
    QApplication::beep();
}

// Each correction changes the text, which must be checked again before the correcting pass ends
// (a pasted text is cleaned one character per pass, each with its own sound and report). The
// passes run in a loop rather than recursively, so a long paste cannot exhaust the stack; the
// reports come out in the same order. The caret goes where the first correcting pass puts it, and
// the error stays reported when the first pass reported one.
void TExtInpEdt::InpChange()
{
    if (m_inPass) {
        m_changedAgain = true;
        return;
    }
    m_inPass = true;
    m_changedAgain = false;
    const Pass first = checkOnce();
    int caret = first.caret;
    while (m_changedAgain) {
        m_changedAgain = false;
        const Pass next = checkOnce();
        if (caret < 0)
            caret = next.caret;
    }
    if (first.changed)
        AktError = true;
    if (caret >= 0)
        setCursorPosition(caret);
    m_inPass = false;
}

TExtInpEdt::Pass TExtInpEdt::checkOnce()
{
    if (AktError)
        emit inputStatus(InpID, ErrorCleared);
    const QString current = text();
    if (maxcnt > 0 && current.size() > maxcnt) {
        AktError = false;
        emit inputStatus(InpID, TooLongCut);
        playErrorSound();
        setText(current.left(maxcnt));
        return {true, maxcnt};
    }
    AktError = false;
    if (current.isEmpty() || Mode != NameRule)
        return {};
    const QChar first = current.at(0);
    if (first >= u'0' && first <= u'9') {
        setText(current.mid(1));
        playErrorSound();
        emit inputStatus(InpID, InvalidCharRemoved);
        return {true, -1};
    }
    for (qsizetype i = 0; i < current.size(); ++i) {
        if (!isNameChar(current.at(i))) {
            playErrorSound();
            emit inputStatus(InpID, InvalidCharRemoved);
            setText(current.left(i) + current.mid(i + 1));
            return {true, int(i)};
        }
    }
    return {};
}
