#pragma once

// What the benchmarks share: a prompt that stops the run on any message. The generated data comes
// from tools/BigProject.h, the same files the developer tool writes.

#include "text/CollectingPrompt.h"

#include <QString>

#include <cstdio>

namespace BenchSupport {

using namespace Qt::Literals::StringLiterals;

// A benchmark must never see a message: any message ends the run.
class FailingPrompt : public CollectingPrompt
{
public:
    void error(const QString &text) override { qFatal("%s", qPrintable(text)); }
    void warning(const QString &text) override { error(text); }
};

} // namespace BenchSupport
