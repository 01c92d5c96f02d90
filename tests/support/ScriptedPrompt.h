#pragma once

#include "text/Prompt.h"

#include <QList>
#include <QString>
#include <QStringList>

// A Prompt for tests: answers from a script given in advance and records everything it was asked.
// Anything not expected is recorded as a failure; check it with verifyDone() (or QVERIFY2 on
// unexpected()) at the end of a test.
class ScriptedPrompt : public Prompt
{
public:
    enum class Kind { Error, Warning, YesNo, YesNoDefaultNo, YesNoCancel, Beep, Name, OpenFile, Folder, Font, Colour };

    struct Expectation
    {
        Kind kind;
        QString text;       // exact text expected (for Name: the proposed name; empty: any)
        Answer answer = Answer::Yes;
        bool accept = true; // Name, OpenFile, Folder: OK or cancel
        QString value;      // Name, OpenFile, Folder: what the user enters or chooses
        FontChoice font;    // Font: what the user chooses
        TColor colour = 0;  // Colour: what the user chooses
    };

    // Expectations are met in the order given.
    ScriptedPrompt &expectError(const QString &text);
    ScriptedPrompt &expectWarning(const QString &text);
    ScriptedPrompt &expectYesNo(const QString &text, Answer answer);
    // A Yes/No question whose default button is No.
    ScriptedPrompt &expectYesNoDefaultNo(const QString &text, Answer answer);
    ScriptedPrompt &expectYesNoCancel(const QString &text, Answer answer);
    ScriptedPrompt &expectBeep();
    ScriptedPrompt &expectName(const QString &proposed, bool accept, const QString &answer = QString());
    ScriptedPrompt &expectOpenFile(bool accept, const QString &path = QString());
    ScriptedPrompt &expectFolder(bool accept, const QString &folder = QString());
    ScriptedPrompt &expectFont(bool accept, const FontChoice &chosen = {});
    ScriptedPrompt &expectColour(bool accept, TColor chosen = 0);

    // Accept any error text without failing (recorded in log()); off by default.
    void setAllowUnexpectedErrors(bool allow) { m_allowErrors = allow; }

    void error(const QString &text) override;
    void warning(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    Answer askYesNoDefaultNo(const QString &text) override;
    void beep() override;
    bool askName(const QString &caption, const QString &label, int maxLength, QString &name) override;
    bool chooseOpenFile(const QString &folder, const QString &filterName, const QString &pattern,
                        const QString &defaultSuffix, const QString &proposedFile, QString &path) override;
    bool chooseFolder(const QString &folder, QString &chosen) override;
    bool chooseFont(FontChoice &font) override;
    bool chooseColour(TColor &colour) override;

    // Everything asked, in order, as "kind: text".
    const QStringList &log() const { return m_log; }
    // Problems: unexpected calls, texts that differ, expectations left over.
    QStringList problems() const;
    bool allUsed() const { return m_next >= m_script.size(); }
    // True when every expectation was used and nothing unexpected happened.
    bool verifyDone() const { return problems().isEmpty(); }

    // Last arguments seen by askName / chooseOpenFile, for tests that check them.
    QString lastCaption, lastLabel, lastFolder, lastFilterName, lastPattern, lastSuffix, lastProposedFile;
    int lastMaxLength = 0;
    FontChoice lastFont; // what the font dialog started with
    TColor lastColour = 0;

private:
    const Expectation *take(Kind kind, const QString &text);

    QList<Expectation> m_script;
    qsizetype m_next = 0;
    QStringList m_log;
    QStringList m_problems;
    bool m_allowErrors = false;
};
