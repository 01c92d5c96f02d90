#pragma once

#include <QChar>
#include <QString>

// The catalogue's entries: objects, variables and enumeration type payloads of the control
// program, as read from the execution file.

// One catalogue object ("O": from an @OBJECT section; "V": made from a variable by AddVarObj).
struct TPSObj
{
    QChar Source = QChar(0);
    QString ObjName;
    QString ObjDescr;
    QString ObjType;
    qint32 VType = -1;
    qint32 VTypeIdx = -1;
    qint32 VarKind = -1;
    qint32 VarIdx = 0;
    qint32 ObjIdx = -1;
    TPSObj *OwnP = nullptr; // the handle through which the object is held (stable while it lives)
    QChar ObjKind = QChar(0);
    quint8 Format = 0;
    quint16 HdwTyp = 0;
    quint16 HdwKind = 0;
    quint16 ValCode = 0;
    quint16 DevCode = 0;
    double minVal = 0.0;
    double maxVal = 999999999.0;
    qint32 SysVarCnt = 0;
    QString TypInfo;
    QString TypInfoB;
    QString SysVars;
};

// One catalogue variable.
struct TVar
{
    QString Name;
    qint32 Idx = -1;
    qint32 Kind = -1;
    qint32 VType = 0;
    qint32 VCode = 0;
    qint32 ObjIdx = -1;
    qint32 TypeIdx = -1;
    qint32 NK = 0;
};

// Payload of a TypeList entry: the state count, "&", each state name followed by "&".
struct TStrObj
{
    QString s;
};
