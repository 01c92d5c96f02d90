#include "dialogs/TEingabeF.h"

#include "dialogs/TExtInpEdt.h"
#include "text/Guard.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString InvalidCharText = u"Ungültiges Zeichen"_s;
} // namespace

TEingabeF::TEingabeF(Prompt &prompt, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_prompt(prompt)
{
    setObjectName(u"EingabeF"_s);
    setWindowTitle(u"Eingabe"_s);
    setModal(true);

    EingPnl = new QFrame(this);
    EingPnl->setObjectName(u"EingPnl"_s);
    EingPnl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    BezLb = new QLabel(EingPnl);
    BezLb->setObjectName(u"BezLb"_s);
    BezLb->setWordWrap(true);
    EingFeld = new TExtInpEdt(EingPnl);
    EingFeld->setObjectName(u"EingFeld"_s);
    OKBt = new QPushButton(u"OK"_s, EingPnl);
    OKBt->setObjectName(u"OKBt"_s);
    OKBt->setDefault(true);
    CancelBtn = new QPushButton(u"Abbruch"_s, EingPnl);
    CancelBtn->setObjectName(u"CancelBtn"_s);
    CancelBtn->setAutoDefault(false);
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(u"StatusBar"_s);
    StatusBar->setSizeGripEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBt);
    buttons->addWidget(CancelBtn);
    auto *panel = new QVBoxLayout(EingPnl);
    panel->addWidget(BezLb);
    panel->addWidget(EingFeld);
    panel->addLayout(buttons);
    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(EingPnl);
    window->addWidget(StatusBar);
    window->setSizeConstraint(QLayout::SetFixedSize);
    EingPnl->setFixedWidth(360);

    connectGuarded(m_prompt, OKBt, &QPushButton::clicked, this, &TEingabeF::OKBtClick);
    connectGuarded(m_prompt, CancelBtn, &QPushButton::clicked, this, &TEingabeF::CancelBtnClick);
    connectGuarded(m_prompt, EingFeld, &TExtInpEdt::inputStatus, this, &TEingabeF::InpStatus);
}

TEingabeF::~TEingabeF() = default;

void TEingabeF::Init()
{
    InpBez = QString();
    const auto count = qint16(std::clamp<qint32>(InpAnz, -32768, 32767));
    EingFeld->Mode = InpArt == NameInput ? TExtInpEdt::NameRule : 0;
    EingFeld->maxcnt = count;
    EingFeld->Init(1, count, TExtInpEdt::NameRule, 0);
}

bool TEingabeF::askName(const QString &caption, const QString &label, int maxLength, QString &name)
{
    InpStr = name;
    InpArt = NameInput;
    InpAnz = maxLength;
    Init();
    ACaption = caption;
    InpBez = label;
    if (exec() != QDialog::Accepted)
        return false;
    name = InpStr;
    return true;
}

void TEingabeF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    runGuarded(m_prompt, [this] { FormShow(); });
}

void TEingabeF::reject()
{
    CancelBtnClick();
}

// Setting the field's text runs its checks, so an initial text that breaks the rule is corrected
// at once, with sound and status text.
void TEingabeF::FormShow()
{
    EingFeld->setFocus();
    setWindowTitle(ACaption);
    BezLb->setText(InpBez);
    EingFeld->setText(InpStr);
    const int length = int(EingFeld->text().size());
    if (length > 0)
        EingFeld->setSelection(length, -length); // all selected, caret at the start
}

void TEingabeF::OKBtClick()
{
    InpStr = EingFeld->text();
    done(QDialog::Accepted);
}

void TEingabeF::CancelBtnClick()
{
    InpArt = 0;
    done(QDialog::Rejected);
}

void TEingabeF::InpStatus(int id, int code)
{
    Q_UNUSED(id);
    if (code != TExtInpEdt::ErrorCleared)
        StatusBar->showMessage(InvalidCharText);
    else
        StatusBar->clearMessage();
}
