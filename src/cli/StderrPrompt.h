#pragma once

#include "text/Prompt.h"

class QIODevice;

// The prompt of webdef-cli: every message is written to standard error as UTF-8 and ended by a
// line break. Nothing is asked interactively: questions are written and answered No (Cancel where
// offered), choices are refused.
class StderrPrompt : public Prompt
{
public:
    explicit StderrPrompt(QIODevice &err);

    void error(const QString &text) override;
    void warning(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    void beep() override;
    bool askName(const QString &caption, const QString &label, int maxLength, QString &name) override;
    bool chooseOpenFile(const QString &folder, const QString &filterName, const QString &pattern,
                        const QString &defaultSuffix, const QString &proposedFile, QString &path) override;
    bool chooseFolder(const QString &folder, QString &chosen) override;
    bool chooseFont(FontChoice &font) override;
    bool chooseColour(TColor &colour) override;

    // Writes text and a line break; two messages joined by a carriage return become two lines.
    void writeLine(const QString &text);

private:
    QIODevice &m_err;
};
