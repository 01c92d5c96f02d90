#pragma once

#include <QLineEdit>

// A one-line input that enforces a character rule and a maximum length while the user types: after
// every change of its text the first offending character is removed at once (or a text that is
// too long is cut), the error sound is played and inputStatus reports it to the window holding the
// field. The length is checked here rather than by QLineEdit's maximum length, which would cut a
// pasted text silently.
class TExtInpEdt : public QLineEdit
{
    Q_OBJECT

public:
    // Codes carried by inputStatus.
    enum StatusCode { ErrorCleared = 0, InvalidCharRemoved = 1, TooLongCut = 2 };
    // The name rule: no leading digit; then only 0-9, A-Z, a-z, Ä, Ö, Ü, ä, ö, ü, ß.
    static constexpr qint16 NameRule = 2;

    explicit TExtInpEdt(QWidget *parent = nullptr);

    // Sets Mode, maxcnt and the identifier sent with every status report. CCase is not used.
    void Init(qint16 InputID, qint16 cnt, quint8 AMode, quint8 CCase);

    // Whether ch may stand in a name (after its first character).
    static bool isNameChar(QChar ch);

    qint16 Mode = 0;   // character rule; only NameRule checks characters
    qint16 maxcnt = 0; // maximum number of characters; 0 or less: no limit

signals:
    // Sent synchronously after each report: id is the identifier given to Init, code a StatusCode.
    void inputStatus(int id, int code);

protected:
    // The system's error sound; tests override it to count.
    virtual void playErrorSound();

private:
    struct Pass
    {
        bool changed = false;
        int caret = -1; // where the caret goes; -1: where setText left it
    };

    void InpChange();
    Pass checkOnce();

    bool AktError = false;
    qint16 InpID = 0;
    bool m_inPass = false;
    bool m_changedAgain = false;
};
