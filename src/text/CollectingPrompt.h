#pragma once

#include "text/Prompt.h"

#include <QString>
#include <QStringList>

// A prompt that shows nothing: it keeps every message and question text, answers every question
// with No (Cancel where there is one) and refuses every choice. For work done without a window
// whose messages become part of a result (the project check) or are of no interest.
class CollectingPrompt : public Prompt
{
public:
    QStringList messages;

    void error(const QString &text) override { messages.append(text); }
    void warning(const QString &text) override { messages.append(text); }
    Answer askYesNo(const QString &text) override
    {
        messages.append(text);
        return Answer::No;
    }
    Answer askYesNoCancel(const QString &text) override
    {
        messages.append(text);
        return Answer::Cancel;
    }
    void beep() override {}
    bool askName(const QString &, const QString &, int, QString &) override { return false; }
    bool chooseOpenFile(const QString &, const QString &, const QString &, const QString &, const QString &,
                        QString &) override
    {
        return false;
    }
    bool chooseFolder(const QString &, QString &) override { return false; }
    bool chooseFont(FontChoice &) override { return false; }
    bool chooseColour(TColor &) override { return false; }

    // Everything kept, one message after the other; a message's own line breaks become blanks.
    QString text() const
    {
        QString joined = messages.join(u' ');
        joined.replace(u'\r', u' ');
        joined.replace(u'\n', u' ');
        return joined;
    }
};
