#include "cli/StderrPrompt.h"

#include <QIODevice>

StderrPrompt::StderrPrompt(QIODevice &err) : m_err(err) {}

void StderrPrompt::writeLine(const QString &text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    line.replace(u'\r', u'\n');
    m_err.write((line + u'\n').toUtf8());
}

void StderrPrompt::error(const QString &text)
{
    writeLine(text);
}

void StderrPrompt::warning(const QString &text)
{
    writeLine(text);
}

Prompt::Answer StderrPrompt::askYesNo(const QString &text)
{
    writeLine(text);
    return Answer::No;
}

Prompt::Answer StderrPrompt::askYesNoCancel(const QString &text)
{
    writeLine(text);
    return Answer::Cancel;
}

void StderrPrompt::beep() {}

bool StderrPrompt::askName(const QString &, const QString &, int, QString &)
{
    return false;
}

bool StderrPrompt::chooseOpenFile(const QString &, const QString &, const QString &, const QString &, const QString &,
                                  QString &)
{
    return false;
}

bool StderrPrompt::chooseFolder(const QString &, QString &)
{
    return false;
}

bool StderrPrompt::chooseFont(FontChoice &)
{
    return false;
}

bool StderrPrompt::chooseColour(TColor &)
{
    return false;
}
