#pragma once

// What the benchmarks share: a prompt that stops the run on any message. The generated data comes
// from tools/BigProject.h, the same files the developer tool writes.

#include "text/Prompt.h"

#include <QString>

#include <cstdio>

namespace BenchSupport {

using namespace Qt::Literals::StringLiterals;

// A benchmark must never see a message: any message ends the run.
class FailingPrompt : public Prompt
{
public:
    void error(const QString &text) override { qFatal("%s", qPrintable(text)); }
    void warning(const QString &text) override { error(text); }
    Answer askYesNo(const QString &) override { return Answer::No; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
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
};

} // namespace BenchSupport
