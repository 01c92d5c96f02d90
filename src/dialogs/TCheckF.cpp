#include "dialogs/TCheckF.h"

#include "dialogs/WidgetHelpers.h"
#include "text/Guard.h"

#include <QAbstractListModel>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString Caption = u"Projekt prüfen"_s;
const QString FindingsCaption = u"&Befunde"_s;
const QString NothingFound = u"Keine Befunde: das Projekt ist in Ordnung."_s;
const QString OneFound = u"1 Befund. Ein Doppelklick auf einen Befund zu einer Seite öffnet die Seite."_s;
const QString SomeFound = u"%1 Befunde. Ein Doppelklick auf einen Befund zu einer Seite öffnet die Seite."_s;
} // namespace

// The findings as a list model: one line of text per finding. A check of a large broken project
// can find thousands of things, so the view shows them without a widget item each.
class TCheckF::FindingsModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    void setFindings(const QList<CheckFinding> &findings)
    {
        beginResetModel();
        m_findings = findings;
        endResetModel();
    }

    const CheckFinding *finding(int row) const
    {
        return row >= 0 && row < m_findings.size() ? &m_findings[row] : nullptr;
    }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_findings.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const CheckFinding *f = finding(index.row());
        if (!f || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return QVariant();
        return f->text;
    }

private:
    QList<CheckFinding> m_findings;
};

TCheckF::TCheckF(Prompt &prompt, QWidget *parent) : QDialog(parent), m_prompt(prompt)
{
    setObjectName(u"CheckF"_s);
    setWindowTitle(Caption);
    resize(760, 420);

    m_model = new FindingsModel(this);
    SummaryLb = new QLabel(this);
    SummaryLb->setObjectName(u"SummaryLb"_s);
    SummaryLb->setWordWrap(true);
    FindingsLB = new QListView(this);
    FindingsLB->setObjectName(u"FindingsLB"_s);
    FindingsLB->setModel(m_model);
    FindingsLB->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FindingsLB->setSelectionMode(QAbstractItemView::SingleSelection);
    FindingsLB->setUniformItemSizes(true);
    OpenPageBtn = new QPushButton(u"Seite &öffnen"_s, this);
    OpenPageBtn->setObjectName(u"OpenPageBtn"_s);
    OpenPageBtn->setEnabled(false);
    CloseBtn = new QPushButton(u"&Schließen"_s, this);
    CloseBtn->setObjectName(u"CloseBtn"_s);
    CloseBtn->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(OpenPageBtn);
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(labelFor(FindingsCaption, FindingsLB));
    layout->addWidget(FindingsLB, 1);
    layout->addWidget(SummaryLb);
    layout->addLayout(buttons);

    connectGuarded(m_prompt, FindingsLB, &QListView::doubleClicked, this, &TCheckF::FindingsLBDblClick);
    connectGuarded(m_prompt, FindingsLB->selectionModel(), &QItemSelectionModel::currentChanged, this,
                   [this] { FindingsLBClick(); });
    connectGuarded(m_prompt, OpenPageBtn, &QPushButton::clicked, this, &TCheckF::OpenPageBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    setFindings({});
}

TCheckF::~TCheckF() = default;

void TCheckF::setFindings(const QList<CheckFinding> &findings)
{
    m_model->setFindings(findings);
    if (findings.isEmpty())
        SummaryLb->setText(NothingFound);
    else if (findings.size() == 1)
        SummaryLb->setText(OneFound);
    else
        SummaryLb->setText(SomeFound.arg(findings.size()));
    OpenPageBtn->setEnabled(false);
}

QString TCheckF::pageAt(int row) const
{
    const CheckFinding *finding = m_model->finding(row);
    return finding && finding->isPageOfList() ? finding->page : QString();
}

void TCheckF::FindingsLBDblClick(const QModelIndex &index)
{
    if (const QString page = pageAt(index.row()); !page.isEmpty())
        emit pageChosen(page);
}

void TCheckF::FindingsLBClick()
{
    OpenPageBtn->setEnabled(!pageAt(FindingsLB->currentIndex().row()).isEmpty());
}

void TCheckF::OpenPageBtnClick()
{
    FindingsLBDblClick(FindingsLB->currentIndex());
}
