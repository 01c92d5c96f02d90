#include "dialogs/THelpF.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

THelpF::THelpF(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"HelpF"_s);
    setWindowTitle(u"Hilfe – Fennaro WebDef"_s);
    setWindowFlags(Qt::Window);
    m_browser = new QTextBrowser;
    m_browser->setObjectName(u"HelpBrowser"_s);
    m_browser->setAccessibleName(u"Hilfetext"_s);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({u":/help"_s});

    auto *back = new QPushButton(u"&Zurück"_s);
    back->setObjectName(u"HelpBackBtn"_s);
    auto *home = new QPushButton(u"&Inhalt"_s);
    home->setObjectName(u"HelpHomeBtn"_s);
    auto *close = new QPushButton(u"&Schließen"_s);
    close->setObjectName(u"HelpCloseBtn"_s);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(home, &QPushButton::clicked, this, [this] { showChapter(QString()); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    back->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(home);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);
    resize(760, 600);
}

void THelpF::showChapter(const QString &anchor)
{
    QUrl url(u"qrc:/help/index.html"_s);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    m_browser->setSource(url);
    show();
    raise();
    activateWindow();
}
