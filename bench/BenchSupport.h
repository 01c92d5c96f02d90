#pragma once

// What both benchmarks share: a prompt that stops the run on any message, and the generated control
// program (the same catalogue shape for reading and for the page refresh).

#include "catalogue/RvxScrambler.h"
#include "text/Prompt.h"

#include <QString>
#include <QStringList>

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

// Variables per device: every device brings this many variables along with DevCode 55.
constexpr int VariablesPerDevice = 25;

inline QString objectName(int o)
{
    static const QString Rooms[] = {u"Wohnzimmer"_s, u"Küche"_s, u"Bad"_s, u"Flur"_s,
                                    u"Büro"_s,       u"Gäste"_s, u"Garten"_s};
    const QString &room = Rooms[o % 7];
    return o % 3 == 0 ? u"Licht_%1_%2"_s.arg(room).arg(o) : u"temp_%1_%2"_s.arg(room).arg(o);
}

// Readable lines of a control program with `objects` objects and 2.5 variables per object: the
// first objects are devices that bring 25 variables each, the rest lights and temperatures.
inline QStringList programLines(int objects)
{
    const int variables = objects * 5 / 2;
    const int devices = variables / VariablesPerDevice;
    QStringList lines{execFileHeader(27, u"Benchmark"_s)};
    lines << u"@TYPES"_s << u"Modus;0:Aus;1:Komfort;2:Eco;3:Frostschutz;MAX=004"_s;
    for (int v = 0; v < variables; ++v) {
        lines << u"@VAR=%1"_s.arg(v) << u"NA=Gerät%1.Wert%2"_s.arg(v / VariablesPerDevice).arg(v % VariablesPerDevice)
              << u"VS=3"_s << u"VT=%1"_s.arg(2 + v % 4) << u"YI=0"_s << u"OI=%1"_s.arg(v / VariablesPerDevice)
              << u"VO=%1"_s.arg(v);
    }
    for (int o = 0; o < objects; ++o) {
        lines << u"@OBJECT=%1"_s.arg(o);
        if (o < devices) {
            QStringList positions;
            for (int k = 0; k < VariablesPerDevice; ++k)
                positions << QString::number(o * VariablesPerDevice + k);
            lines << u"NA=Gerät%1"_s.arg(o) << u"OK=G"_s << u"DC=55"_s << u"SV="_s + positions.join(u';');
        } else if (o % 3 == 0) {
            lines << u"NA="_s + objectName(o) << u"OD=Licht"_s << u"OK=U"_s << u"IV=%1"_s.arg(o) << u"HT=1"_s
                  << u"DC=1"_s << u"TI=Licht;0Z:Aus;1Z:Ein"_s;
        } else {
            lines << u"NA="_s + objectName(o) << u"OD=Temperatur"_s << u"OK=N"_s << u"IV=%1"_s.arg(o) << u"OF=1"_s
                  << u"MI=-20"_s << u"MA=40"_s << u"HT=2"_s << u"DC=3"_s;
        }
        lines << u"@ENDOBJ"_s;
    }
    return lines;
}

} // namespace BenchSupport
