#pragma once

#include <QDialog>

class OfferedEntriesModel;
class OfferedSearchModel;
class PageEditSession;
class Prompt;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTableWidget;
class ReassignChoices;

// "Objekte zuordnen": the names the project's pages use and the catalogue no longer offers, each
// with the entry proposed for it, and the choice of an entry for the selected name through the
// search of the offered entries (as on the tab "Objekte"). "Anwenden" ends the dialog with
// Accepted; the caller then writes the pages. Points to the choices (which it changes), the page
// session (its offered entries) and the prompt without owning them.
class TReassignF : public QDialog
{
    Q_OBJECT

public:
    TReassignF(ReassignChoices &choices, const PageEditSession &session, Prompt &prompt, QWidget *parent = nullptr);

private:
    void buildControls();
    void buildLayout();
    void connectHandlers();
    void loadChoices();
    void showChoice(int row);
    int selectedChoice() const;
    int selectedEntry() const;

    void LostGridSelect();
    void SearchEdtChange(const QString &text);
    void AssignBtnClick();
    void ProposalBtnClick();
    void ClearBtnClick();

    ReassignChoices &m_choices;
    const PageEditSession &m_session;
    Prompt &m_prompt;
    OfferedEntriesModel *m_entries = nullptr;
    OfferedSearchModel *m_search = nullptr;

    QLabel *InfoLb = nullptr;
    QTableWidget *LostGrid = nullptr;
    QGroupBox *ChoiceGB = nullptr;
    QLineEdit *SearchEdt = nullptr;
    QListView *EntryBox = nullptr;
    QPushButton *AssignBtn = nullptr;
    QPushButton *ProposalBtn = nullptr;
    QPushButton *ClearBtn = nullptr;
    QPushButton *ApplyBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
};
