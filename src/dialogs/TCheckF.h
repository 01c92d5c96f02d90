#pragma once

#include "workspace/ProjectCheck.h"

#include <QDialog>
#include <QList>

class Prompt;
class QLabel;
class QListView;
class QModelIndex;
class QPushButton;

// The window of the project check: the findings of one check, one per line, under a summary. A
// finding about a page of the list can be opened: double click, or select it and press
// "Seite &öffnen"; the window then asks for the page through pageChosen and stays open. Shows
// the findings it is given; running the check is the caller's.
class TCheckF : public QDialog
{
    Q_OBJECT

public:
    explicit TCheckF(Prompt &prompt, QWidget *parent = nullptr);
    ~TCheckF() override;

    // Shows findings in place of those shown before.
    void setFindings(const QList<CheckFinding> &findings);

signals:
    // The user asked to open page in the page editor.
    void pageChosen(const QString &page);

private:
    class FindingsModel;

    void FindingsLBDblClick(const QModelIndex &index);
    void FindingsLBClick();
    void OpenPageBtnClick();
    // The page of the finding at row, or empty when it is no page of the list.
    QString pageAt(int row) const;

    Prompt &m_prompt;
    FindingsModel *m_model = nullptr;
    QLabel *SummaryLb = nullptr;
    QListView *FindingsLB = nullptr;
    QPushButton *OpenPageBtn = nullptr;
    QPushButton *CloseBtn = nullptr;
};
