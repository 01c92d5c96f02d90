#pragma once

#include "dialogs/ShortAnsiText.h"

#include <QDialog>

class Prompt;
class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
class TExtInpEdt;

// The input dialog: asks for one line of text in a checked input field (TExtInpEdt) whose rule and
// maximum length the caller chooses, with OK, cancel and a status line for the field's complaints.
// Created once and reused; its fields keep their values between uses, so a caller sets every field
// it relies on before each use. Stays on top of other windows.
class TEingabeF : public QDialog
{
    Q_OBJECT

public:
    // Input kind of a name: the name rule with at most InpAnz characters.
    static constexpr quint8 NameInput = 32;

    explicit TEingabeF(Prompt &prompt, QWidget *parent = nullptr);
    ~TEingabeF() override;

    // Empties InpBez and prepares the input field for InpArt and InpAnz. Call after setting
    // InpStr, InpArt and InpAnz, and before setting ACaption and InpBez.
    void Init();

    // The name question of the main window: proposed name in, entered name out (unchanged when
    // cancelled). Shows the dialog modally; returns true on OK.
    bool askName(const QString &caption, const QString &label, int maxLength, QString &name);

    quint8 InpArt = 0;      // input kind; 0 after a cancel
    qint32 InpAnz = 0;      // maximum number of characters of the input field
    ShortAnsiText InpBez;   // the prompt above the input field
    ShortAnsiText InpStr;   // in: initial text of the field; out: the text entered
    ShortAnsiText ACaption; // the window caption

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override; // Esc: as the cancel button

private:
    void FormShow();
    void OKBtClick();
    void CancelBtnClick();
    void InpStatus(int id, int code);

    Prompt &m_prompt;
    QFrame *EingPnl = nullptr;
    QLabel *BezLb = nullptr;
    TExtInpEdt *EingFeld = nullptr;
    QPushButton *OKBt = nullptr;
    QPushButton *CancelBtn = nullptr;
    QStatusBar *StatusBar = nullptr;
};
