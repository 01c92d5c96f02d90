#include "dialogs/TInfoF.h"

#include "text/Launcher.h"
#include "workspace/Version.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

TInfoF::TInfoF(Launcher *launcher, QWidget *parent) : QDialog(parent), m_launcher(launcher)
{
    setObjectName(u"InfoF"_s);
    setWindowTitle(u"Info"_s);
    // No buttons in the title bar: OK (or Esc) closes the box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto *panel = new QFrame;
    panel->setObjectName(u"InfoPnl"_s);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *product = new QLabel(Version::ProductName);
    product->setObjectName(u"ProductLb"_s);
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    product->setFont(bold);
    product->setStyleSheet(u"color: blue"_s);
    VersionLb = new QLabel(Version::Number);
    VersionLb->setObjectName(u"VersionLb"_s);
    ReleaseLb = new QLabel(Version::Release);
    ReleaseLb->setObjectName(u"ReleaseLb"_s);
    auto *notice = new QLabel(u"© Fennaro. Alle Rechte vorbehalten."_s);
    notice->setObjectName(u"NoticeLb"_s);
    WebLinkLb = new QLabel(Version::WebAddress);
    WebLinkLb->setObjectName(u"WebLinkLb"_s);
    QFont underlined = WebLinkLb->font();
    underlined.setUnderline(true);
    WebLinkLb->setFont(underlined);
    WebLinkLb->setStyleSheet(u"color: blue"_s);
    WebLinkLb->setCursor(Qt::PointingHandCursor);
    WebLinkLb->setToolTip(u"Webseite im Browser öffnen"_s);
    WebLinkLb->setAccessibleName(Version::WebAddress);
    WebLinkLb->installEventFilter(this);

    auto *versionCaption = new QLabel(u"Version"_s);
    versionCaption->setBuddy(VersionLb);
    auto *releaseCaption = new QLabel(u"Release"_s);
    releaseCaption->setBuddy(ReleaseLb);
    auto *grid = new QGridLayout(panel);
    grid->addWidget(product, 0, 0, 1, 2);
    grid->addWidget(versionCaption, 1, 0);
    grid->addWidget(VersionLb, 1, 1);
    grid->addWidget(releaseCaption, 2, 0);
    grid->addWidget(ReleaseLb, 2, 1);
    grid->addWidget(notice, 3, 0, 1, 2);
    grid->addWidget(WebLinkLb, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    OKBtn = new QPushButton(u"OK"_s);
    OKBtn->setObjectName(u"OKBtn"_s);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(OKBtn, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TInfoF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == WebLinkLb && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (m_launcher)
            m_launcher->openDocument(WebLinkLb->text());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
