#include "editor/TReassignF.h"

#include "dialogs/WidgetHelpers.h"
#include "editor/OfferedEntriesModel.h"
#include "editor/OfferedSearch.h"
#include "page/PageEditSession.h"
#include "text/Guard.h"
#include "text/Messages.h"
#include "text/Prompt.h"
#include "workspace/Reassign.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
enum Column { NameColumn, KindColumn, RecordedColumn, UsedColumn, ProposalColumn, AssignedColumn, ColumnCount };

const QString Caption = u"Objekte zuordnen"_s;
const QString NothingLost = u"Alle Objekt- und Makronamen der Seiten werden angeboten: es gibt nichts zuzuordnen."_s;
const QString SomeLost = u"Diese Namen stehen in Zeilen der Seiten, werden von der Ausführungsdatei aber nicht mehr "
                         u"angeboten; beim nächsten Speichern oder Aktualisieren fielen die Zeilen weg. Wählen Sie "
                         u"für jeden Namen den Eintrag, der ihn ersetzt: „Anwenden“ schreibt die Zeilen mit dem neuen "
                         u"Eintrag in alle betroffenen Seiten, mit ihrer Bezeichnung, Eingabe und Stelle."_s;
const QString Unassigned = u"–"_s;

QString usedText(const LostName &lost)
{
    return rowsOnPagesText(lost.rows, lost.pages.size());
}
} // namespace

TReassignF::TReassignF(ReassignChoices &choices, const PageEditSession &session, Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_choices(choices), m_session(session), m_prompt(prompt)
{
    setObjectName(u"ReassignF"_s);
    setWindowTitle(Caption);
    setModal(true);
    buildControls();
    buildLayout();
    connectHandlers();
    loadChoices();
    resize(1020, 560);
}

void TReassignF::buildControls()
{
    InfoLb = named<QLabel>(u"InfoLb"_s);
    InfoLb->setWordWrap(true);
    LostGrid = named<QTableWidget>(u"LostGrid"_s, 0, int(ColumnCount));
    LostGrid->setHorizontalHeaderLabels(
        {u"Name"_s, u"Art"_s, u"Laut Seitendatei"_s, u"Verwendet"_s, u"Vorschlag"_s, u"Zuordnung"_s});
    LostGrid->verticalHeader()->setVisible(false);
    LostGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    LostGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    LostGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LostGrid->setWordWrap(false);
    LostGrid->verticalHeader()->setDefaultSectionSize(LostGrid->fontMetrics().height() + 8);
    // The names and what they were fit their texts; the proposal takes the room that is left.
    QHeaderView *header = LostGrid->horizontalHeader();
    for (int column = 0; column < ColumnCount; ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(ProposalColumn, QHeaderView::Stretch);

    ChoiceGB = named<QGroupBox>(u"ChoiceGB"_s, u"Zuordnung"_s);
    m_entries = new OfferedEntriesModel(m_session, this);
    m_search = new OfferedSearchModel(m_session, this);
    m_search->setSourceModel(m_entries);
    SearchEdt = named<QLineEdit>(u"SearchEdt"_s);
    SearchEdt->setPlaceholderText(u"Suchen…"_s);
    SearchEdt->setClearButtonEnabled(true);
    SearchEdt->setAccessibleName(u"Einträge suchen"_s);
    SearchEdt->setToolTip(u"Angebotene Einträge nach Name oder Beschreibung suchen"_s);
    EntryBox = named<QListView>(u"EntryBox"_s);
    EntryBox->setModel(m_search);
    EntryBox->setItemDelegate(new SearchHighlightDelegate(*m_search, EntryBox));
    EntryBox->setUniformItemSizes(true);
    EntryBox->setSelectionMode(QAbstractItemView::SingleSelection);
    EntryBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    EntryBox->setAccessibleName(u"Angebotene Einträge"_s);
    AssignBtn = named<QPushButton>(u"AssignBtn"_s, u"&Zuordnen"_s);
    AssignBtn->setToolTip(u"Den ausgewählten Eintrag dem Namen zuordnen"_s);
    ProposalBtn = named<QPushButton>(u"ProposalBtn"_s, u"&Vorschlag übernehmen"_s);
    ClearBtn = named<QPushButton>(u"ClearBtn"_s, u"&Keine Zuordnung"_s);
    ClearBtn->setToolTip(u"Die Zeilen dieses Namens bleiben, wie sie sind"_s);
    for (QPushButton *button : {AssignBtn, ProposalBtn, ClearBtn})
        button->setAutoDefault(false);
    ApplyBtn = named<QPushButton>(u"ApplyBtn"_s, u"&Anwenden"_s);
    CancelBtn = named<QPushButton>(u"CancelBtn"_s, u"Abbrechen"_s);
    ApplyBtn->setDefault(true);
}

void TReassignF::buildLayout()
{
    auto *choice = new QGridLayout(ChoiceGB);
    choice->addWidget(SearchEdt, 0, 0);
    choice->addWidget(EntryBox, 1, 0, 4, 1);
    choice->addWidget(AssignBtn, 1, 1);
    choice->addWidget(ProposalBtn, 2, 1);
    choice->addWidget(ClearBtn, 3, 1);
    choice->setRowStretch(4, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CancelBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(InfoLb);
    layout->addWidget(labelFor(u"&Verlorene Namen"_s, LostGrid));
    layout->addWidget(LostGrid, 3);
    layout->addWidget(ChoiceGB, 2);
    layout->addLayout(buttons);
}

void TReassignF::connectHandlers()
{
    connectGuarded(m_prompt, LostGrid, &QTableWidget::itemSelectionChanged, this, &TReassignF::LostGridSelect);
    connectGuarded(m_prompt, SearchEdt, &QLineEdit::textChanged, this, &TReassignF::SearchEdtChange);
    connectGuarded(m_prompt, AssignBtn, &QPushButton::clicked, this, &TReassignF::AssignBtnClick);
    connectGuarded(m_prompt, EntryBox, &QListView::doubleClicked, this, &TReassignF::AssignBtnClick);
    connectGuarded(m_prompt, ProposalBtn, &QPushButton::clicked, this, &TReassignF::ProposalBtnClick);
    connectGuarded(m_prompt, ClearBtn, &QPushButton::clicked, this, &TReassignF::ClearBtnClick);
    connect(ApplyBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TReassignF::loadChoices()
{
    const QList<ReassignChoices::Choice> &choices = m_choices.choices();
    InfoLb->setText(choices.isEmpty() ? NothingLost : SomeLost);
    LostGrid->setRowCount(int(choices.size()));
    for (int row = 0; row < choices.size(); ++row)
        showChoice(row);
    ApplyBtn->setEnabled(!m_choices.assignments().isEmpty());
    if (!choices.isEmpty())
        LostGrid->selectRow(0);
    LostGridSelect();
}

void TReassignF::showChoice(int row)
{
    const ReassignChoices::Choice &c = m_choices.choices().at(row);
    const QList<OfferedEntry> &entries = m_session.offered().entries();
    const QString proposal =
        c.proposal.offered < 0 ? proposalBasisText(Proposal::Basis::None)
                               : u"%1 (%2, %3)"_s.arg(entries.at(c.proposal.offered).text)
                                     .arg(c.proposal.score)
                                     .arg(proposalBasisText(c.proposal.basis));
    const QString cells[ColumnCount] = {
        c.lost.name,
        c.lost.kind == RowKind::Macro ? u"Makro"_s : u"Objekt"_s,
        c.lost.recorded.description(),
        usedText(c.lost),
        proposal,
        c.assigned < 0 ? Unassigned : entries.at(c.assigned).text,
    };
    for (int column = 0; column < ColumnCount; ++column) {
        QTableWidgetItem *item = LostGrid->item(row, column);
        if (!item)
            LostGrid->setItem(row, column, item = new QTableWidgetItem);
        item->setText(cells[column]);
    }
    LostGrid->item(row, UsedColumn)->setToolTip(u"Seiten: "_s + c.lost.pages.join(u", "_s));
    LostGrid->item(row, ProposalColumn)->setToolTip(proposal);
    ApplyBtn->setEnabled(!m_choices.assignments().isEmpty());
}

int TReassignF::selectedChoice() const
{
    return selectedRow(LostGrid);
}

int TReassignF::selectedEntry() const
{
    const QModelIndex current = EntryBox->currentIndex();
    if (!current.isValid() || !EntryBox->selectionModel()->isSelected(current))
        return -1;
    return m_search->mapToSource(current).row();
}

void TReassignF::LostGridSelect()
{
    const int row = selectedChoice();
    ChoiceGB->setEnabled(row >= 0);
    if (row < 0) {
        ChoiceGB->setTitle(u"Zuordnung"_s);
        return;
    }
    const ReassignChoices::Choice &c = m_choices.choices().at(row);
    ChoiceGB->setTitle(u"Zuordnung für „%1“"_s.arg(c.lost.name));
    ProposalBtn->setEnabled(c.proposal.offered >= 0);
    // Only entries that can take the name's rows are offered.
    const RowKind kind = c.lost.kind;
    m_search->setEntryFilter([this, kind](qsizetype entry) { return m_choices.finder().fits(entry, kind); });
    const int shown = c.assigned >= 0 ? int(c.assigned) : int(c.proposal.offered);
    if (shown >= 0)
        EntryBox->setCurrentIndex(m_search->mapFromSource(m_entries->index(shown)));
    else
        EntryBox->clearSelection();
}

void TReassignF::SearchEdtChange(const QString &text)
{
    m_search->setSearchText(text);
}

void TReassignF::AssignBtnClick()
{
    const int row = selectedChoice();
    if (row < 0 || !m_choices.assign(row, selectedEntry())) {
        m_prompt.error(Messages::NoEntrySelected);
        return;
    }
    showChoice(row);
}

void TReassignF::ProposalBtnClick()
{
    const int row = selectedChoice();
    if (row >= 0 && m_choices.assign(row, m_choices.choices().at(row).proposal.offered))
        showChoice(row);
}

void TReassignF::ClearBtnClick()
{
    const int row = selectedChoice();
    if (row < 0)
        return;
    m_choices.unassign(row);
    showChoice(row);
}
