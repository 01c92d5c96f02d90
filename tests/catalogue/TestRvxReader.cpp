#include "catalogue/Catalogue.h"
#include "catalogue/RvxReader.h"
#include "catalogue/RvxScrambler.h"
#include "support/ExecFileFixture.h"
#include "support/FileSystemFaults.h"
#include "support/ScriptedPrompt.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QString charText(QChar ch)
{
    return ch.isNull() ? u"#0"_s : u"'"_s + ch + u"'"_s;
}

// One line per entry, showing only what differs from the defaults, with the file's key names.
QStringList describe(const Catalogue &catalogue)
{
    QStringList lines;
    for (const auto &e : catalogue.TypeList)
        lines.append(u"T %1 %2"_s.arg(e.text, e.entry->s));
    for (const auto &e : catalogue.VarList) {
        const TVar &v = *e.entry;
        QString line = u"V %1 #%2"_s.arg(e.text).arg(v.Idx);
        if (v.Name != e.text)
            line += u" Name="_s + v.Name;
        const std::pair<const char16_t *, qint32> numbers[] = {{u"VS", v.Kind},   {u"VT", v.VType}, {u"YI", v.TypeIdx},
                                                               {u"OI", v.ObjIdx}, {u"VO", v.VCode}, {u"NK", v.NK}};
        const qint32 defaults[] = {-1, 0, -1, -1, 0, 0};
        for (int i = 0; i < 6; ++i) {
            if (numbers[i].second != defaults[i])
                line += u" %1=%2"_s.arg(QString::fromUtf16(numbers[i].first)).arg(numbers[i].second);
        }
        lines.append(line);
    }
    for (const auto &e : catalogue.ObjList) {
        const TPSObj &o = *e.entry;
        QString line = u"%1 %2 #%3"_s.arg(o.Source == u'O' ? u"O"_s : charText(o.Source), e.text).arg(o.ObjIdx);
        auto text = [&line](const char16_t *key, const QString &value) {
            if (!value.isEmpty())
                line += u" %1=%2"_s.arg(QString::fromUtf16(key), value);
        };
        auto number = [&line](const char16_t *key, double value, double def) {
            if (value != def)
                line += u" %1=%2"_s.arg(QString::fromUtf16(key)).arg(value, 0, 'g', 12);
        };
        if (o.ObjName != e.text)
            text(u"ObjName", o.ObjName);
        text(u"OD", o.ObjDescr);
        if (!o.ObjKind.isNull())
            line += u" OK="_s + charText(o.ObjKind);
        number(u"IV", o.VarIdx, 0);
        number(u"OF", o.Format, 0);
        number(u"OC", o.ValCode, 0);
        number(u"MI", o.minVal, 0);
        number(u"MA", o.maxVal, 999999999.0);
        number(u"HT", o.HdwTyp, 0);
        number(u"HK", o.HdwKind, 0);
        number(u"DC", o.DevCode, 0);
        text(u"TI", o.TypInfo);
        text(u"OT", o.ObjType);
        number(u"SC", o.SysVarCnt, 0);
        text(u"SV", o.SysVars);
        lines.append(line);
    }
    return lines;
}

const double Unchanged = 123.5;

} // namespace

class TestRvxReader : public QObject
{
    Q_OBJECT

private slots:
    void unscrambleLine_data();
    void unscrambleLine();
    void splitNameNumber_data();
    void splitNameNumber();
    void read_data();
    void read();
    void rejectedHeader_data();
    void rejectedHeader();
    void euroByteXorsItsLowByte();
    void missingOrEmptyName();
    void inputOutputErrorEndsRead();
    void dateFromModificationTime();
    void appendsWithoutClearing();
    void scrambleRefusesWhatCannotReadBack_data();
    void scrambleRefusesWhatCannotReadBack();
    void demoProgramReadsCompletely();
};

void TestRvxReader::unscrambleLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QString() << 33 << QString();
    QTest::newRow("key 0 only reverses") << u"NA=Lampe"_s << 0 << u"epmaL=AN"_s;
    QTest::newRow("xor then reverse") << u"abc"_s << 0x20 << u"CBA"_s;
    QTest::newRow("character below 32 unchanged") << u"\u0001a\u001F"_s << 0x20 << u"\u001FA\u0001"_s;
    QTest::newRow("result below 32 unchanged") << u"Ab"_s << 0x41 << u"#A"_s;
    QTest::newRow("upper bits dropped, key 0") << u"x\u20AC"_s << 0 << u"\u00ACx"_s;
    QTest::newRow("upper bits dropped") << u"\u20AC"_s << 0x0F << u"\u00A3"_s;
    QTest::newRow("latin-1 letters") << u"\u00E4\u00DF"_s << 27 << u"\u00C4\u00FF"_s;
    QTest::newRow("surrogate pair kept in order") << u"a\U00010000b"_s << 0 << u"b\U00010000a"_s;
    QTest::newRow("two surrogate pairs") << u"\U00010000\U00010400"_s << 0 << u"\U00010400\U00010000"_s;
}

void TestRvxReader::unscrambleLine()
{
    QFETCH(QString, line);
    QFETCH(int, key);
    QFETCH(QString, expected);
    UnscrambleLine(line, quint8(key));
    QCOMPARE(line, expected);
}

void TestRvxReader::splitNameNumber_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("expectedResult");
    QTest::addColumn<QString>("expectedLine");
    QTest::addColumn<int>("expectedNumber");

    // The number starts at 5 in every row.
    QTest::newRow("name and number") << u"@VAR=7"_s << true << u"@VAR"_s << 7;
    QTest::newRow("negative number") << u"@VAR=-3"_s << true << u"@VAR"_s << -3;
    QTest::newRow("no equals sign") << u"@VAR"_s << false << u"@VAR"_s << 5;
    QTest::newRow("not a number") << u"@VAR=x"_s << false << u"@VAR=x"_s << 0;
    QTest::newRow("empty number") << u"@VAR="_s << false << u"@VAR="_s << 0;
    QTest::newRow("hexadecimal is no decimal") << u"@VAR=$10"_s << false << u"@VAR=$10"_s << 0;
    QTest::newRow("split at first equals sign") << u"@A=1=2"_s << false << u"@A=1=2"_s << 0;
}

void TestRvxReader::splitNameNumber()
{
    QFETCH(QString, line);
    QFETCH(bool, expectedResult);
    QFETCH(QString, expectedLine);
    QFETCH(int, expectedNumber);
    qint32 number = 5;
    QCOMPARE(SplitNameNumber(line, number), expectedResult);
    QCOMPARE(line, expectedLine);
    QCOMPARE(number, expectedNumber);
}

void TestRvxReader::read_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("expectedOk");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("expectedMessage"); // %1: the file's path

    const QString h = testHeader(90);
    const QString readError = u"Fehler beim Lesen der Datei"_s;

    QTest::newRow("empty file") << QStringList() << true << QStringList() << QString();
    QTest::newRow("header only") << QStringList{h} << true << QStringList() << QString();
    QTest::newRow("header without @ keeps its key")
        << QStringList{u"Steuerprogramm_*"_s, u"@VAR=1"_s, u"NA=x"_s} << true << QStringList{u"V x #1"_s} << QString();
    QTest::newRow("header with more text") << QStringList{u"@QZR482 - mehr Text_*"_s, u"@VAR=1"_s, u"NA=x"_s} << true
                                           << QStringList{u"V x #1"_s} << QString();
    QTest::newRow("variable with number, second NA ignored")
        << QStringList{h, u"@VAR=7"_s, u"NA=Pumpe"_s, u"VS=3"_s, u"VT=2"_s, u"NA=Andere"_s} << true
        << QStringList{u"V Pumpe #7 VS=3 VT=2"_s} << QString();
    QTest::newRow("all variable keys") << QStringList{h,         u"@VAR=1"_s, u"NA=a"_s, u"VS=1"_s,
                                                      u"VT=2"_s, u"YI=3"_s,   u"OI=4"_s, u"VO=$10"_s}
                                       << true << QStringList{u"V a #1 VS=1 VT=2 YI=3 OI=4 VO=16"_s} << QString();
    QTest::newRow("keys before NA ignored")
        << QStringList{h, u"@VAR=2"_s, u"VS=9"_s, u"@OBJECT=3"_s, u"OD=early"_s, u"NA=o"_s} << true
        << QStringList{u"O o #3"_s} << QString();
    QTest::newRow("object inherits the last number") << QStringList{h, u"@VAR=5"_s, u"NA=v"_s, u"@OBJECT"_s, u"NA=o"_s}
                                                     << true << QStringList{u"V v #5"_s, u"O o #5"_s} << QString();
    QTest::newRow("object without any number")
        << QStringList{h, u"@OBJECT"_s, u"NA=o"_s} << true << QStringList{u"O o #0"_s} << QString();
    QTest::newRow("header with other text after equals sign")
        << QStringList{h, u"@VAR=3"_s, u"NA=a"_s, u"@OBJECT=x"_s, u"NA=b"_s, u"VS=4"_s, u"@OBJECT"_s, u"NA=o"_s} << true
        << QStringList{u"V a #3 VS=4"_s, u"O o #0"_s} << QString();
    QTest::newRow("OK empty and OK=Nx") << QStringList{h,         u"@OBJECT=1"_s, u"NA=a"_s, u"OK="_s, u"@OBJECT=2"_s,
                                                       u"NA=b"_s, u"OK=Nx"_s}
                                        << true << QStringList{u"O a #1 OK=' '"_s, u"O b #2 OK='N'"_s} << QString();
    QTest::newRow("all object keys")
        << QStringList{h,
                       u"@OBJECT=9"_s,
                       u"NA=Licht"_s,
                       u"OD=Decke"_s,
                       u"OK=U"_s,
                       u"IV=1001"_s,
                       u"OF=2"_s,
                       u"OC=3"_s,
                       u"MI=-20"_s,
                       u"MA=40"_s,
                       u"HT=1"_s,
                       u"HK=4"_s,
                       u"DC=55"_s,
                       u"TI=x;0Z:Aus;1Z:Ein"_s,
                       u"OT=Schalter"_s,
                       u"SC=2"_s,
                       u"SV=0;1"_s}
        << true
        << QStringList{u"O Licht #9 OD=Decke OK='U' IV=1001 OF=2 OC=3 MI=-20 MA=40 HT=1 HK=4 DC=55 TI=1;Aus;Ein; "
                       u"OT=Schalter SC=2 SV=0;1"_s}
        << QString();
    QTest::newRow("low bits kept") << QStringList{h,          u"@OBJECT=1"_s, u"NA=a"_s, u"OF=300"_s, u"OC=65537"_s,
                                                  u"HT=-1"_s, u"DC=0x1000A"_s}
                                   << true << QStringList{u"O a #1 OF=44 OC=1 HT=65535 DC=10"_s} << QString();
    QTest::newRow("type section MAX rules")
        << QStringList{h,
                       u"@TYPES"_s,
                       u"T;0:A;1:B;MAX=2"_s,
                       u"Null;0:x;MAX=0"_s,
                       u"Ohne;0:x;1:y"_s,
                       u"Zwei;0:a;1:b;MAX=12;"_s,
                       u"Drei;0:a;1:b;2:c;MAX=003;"_s,
                       u"Falsch;0:a;MAX=5;x"_s,
                       u"Mit;0:a;MAX=002"_s,
                       u"Leer;a;b:c:d;MAX=002"_s,
                       u"Neg;0:a;MAX=-01"_s}
        << true << QStringList{u"T T 2&A&B&"_s, u"T Drei 3&a&b&c&"_s, u"T Mit 2&a&&"_s, u"T Leer 2&&c&"_s} << QString();
    QTest::newRow("type section goes on until a recognised header")
        << QStringList{h,
                       u"@TYPES"_s,
                       u"A;0:x;MAX=1"_s,
                       u"@UNKNOWN"_s,
                       u"B;0:y;MAX=1"_s,
                       u"@ENDOBJ"_s,
                       u"C;0:z;MAX=1"_s}
        << true << QStringList{u"T A 1&x&"_s, u"T B 1&y&"_s} << QString();
    QTest::newRow("state lists") << QStringList{h,
                                                u"@OBJECT=1"_s,
                                                u"NA=a"_s,
                                                u"TI=x;foo;bar"_s,
                                                u"@OBJECT=2"_s,
                                                u"NA=b"_s,
                                                u"TI="_s,
                                                u"@OBJECT=3"_s,
                                                u"NA=c"_s,
                                                u"TI=x;0Z:A;;1Z:B"_s,
                                                u"@OBJECT=4"_s,
                                                u"NA=d"_s,
                                                u"TI=0Z:A"_s,
                                                u"@OBJECT=5"_s,
                                                u"NA=e"_s,
                                                u"TI=x;P0Z:A:B;q;Q1Z:C"_s}
                                 << true
                                 << QStringList{u"O a #1 TI=;"_s, u"O b #2 TI=;"_s, u"O c #3 TI=0;A;"_s,
                                                u"O d #4 TI=;"_s, u"O e #5 TI=Q1;A;C;"_s}
                                 << QString();
    QTest::newRow("lower-case keys ignored")
        << QStringList{h, u"@OBJECT=1"_s, u"na=Lamp"_s, u"NA=Real"_s, u"od=x"_s, u"Od=y"_s} << true
        << QStringList{u"O Real #1"_s} << QString();
    QTest::newRow("leading blanks before a key")
        << QStringList{h, u"@OBJECT=1"_s, u"  NA=a"_s, u"  OD=Beschreibung  "_s} << true
        << QStringList{u"O a #1 OD=Beschreibung"_s} << QString();
    QTest::newRow("ENDOBJ ends the object")
        << QStringList{h, u"@OBJECT=1"_s, u"NA=a"_s, u"@ENDOBJ"_s, u"OD=late"_s, u"NA=b"_s} << true
        << QStringList{u"O a #1"_s} << QString();
    QTest::newRow("unknown header keeps the section")
        << QStringList{h, u"@OBJECT=1"_s, u"NA=a"_s, u"@FOO=2"_s, u"OD=kept"_s, u"@OBJECT"_s, u"NA=b"_s} << true
        << QStringList{u"O a #1 OD=kept"_s, u"O b #2"_s} << QString();
    QTest::newRow("headers compared exactly")
        << QStringList{h, u"@object=1"_s, u"NA=a"_s, u"@OBJECT "_s, u"NA=b"_s} << true << QStringList() << QString();
    QTest::newRow("two objects with the same name, key given twice")
        << QStringList{h, u"@OBJECT=1"_s, u"NA=a"_s, u"OD=1"_s, u"OD=2"_s, u"@OBJECT=2"_s, u"NA=a"_s} << true
        << QStringList{u"O a #1 OD=2"_s, u"O a #2"_s} << QString();
    QTest::newRow("MI=0.5 stops the read, entries before stay")
        << QStringList{h,         u"@TYPES"_s, u"T;0:A;MAX=1"_s, u"@VAR=1"_s, u"NA=v"_s, u"@OBJECT=1"_s,
                       u"NA=a"_s, u"MI=0.5"_s, u"@OBJECT=2"_s,   u"NA=b"_s}
        << false << QStringList{u"T T 1&A&"_s, u"V v #1"_s, u"O a #1"_s} << readError + u"8: MI=0.5"_s;
    QTest::newRow("number followed by text") << QStringList{h, u"@VAR=1"_s, u"NA=v"_s, u"VS=3x"_s} << false
                                             << QStringList{u"V v #1"_s} << readError + u"4: VS=3x"_s;
    QTest::newRow("empty number") << QStringList{h, u"@OBJECT=1"_s, u"NA=o"_s, u"OD=x"_s, u"DC="_s} << false
                                  << QStringList{u"O o #1 OD=x"_s} << readError + u"5: DC="_s;
    QTest::newRow("number beyond 32 bits") << QStringList{h, u"@OBJECT=1"_s, u"NA=o"_s, u"MA=4294967296"_s} << false
                                           << QStringList{u"O o #1"_s} << readError + u"4: MA=4294967296"_s;
}

void TestRvxReader::read()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, expectedOk);
    QFETCH(QStringList, expected);
    QFETCH(QString, expectedMessage);

    QTemporaryDir dir;
    QString error;
    const QString path = writeExecFile(dir.path(), u"Test.RVX"_s, lines, &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));

    ScriptedPrompt prompt;
    if (!expectedMessage.isEmpty())
        prompt.expectError(expectedMessage.contains(u"%1"_s) ? expectedMessage.arg(path) : expectedMessage);
    Catalogue catalogue;
    catalogue.setComplete(!expectedOk);
    double date = Unchanged;
    QCOMPARE(ReadRVXFile(path, catalogue, prompt, &date), expectedOk);
    QCOMPARE(describe(catalogue), expected);
    QCOMPARE(catalogue.isComplete(), expectedOk);
    QCOMPARE(date != Unchanged, expectedOk);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestRvxReader::rejectedHeader_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray body = "1=RAV@\r\nx=AN\r\n"; // @VAR=1, NA=x with key 0
    QTest::newRow("lower case") << QByteArray("@qzr482 - Test\x05*\r\n" + body);
    QTest::newRow("blank missing") << QByteArray("@QZR482- Test\x05*\r\n" + body);
    QTest::newRow("other digits") << QByteArray("@QZR483 - Test\x05*\r\n" + body);
    QTest::newRow("signature cut short") << QByteArray("@QZR482 \r\n" + body);
    QTest::newRow("at sign alone") << QByteArray("@\r\n" + body);
    QTest::newRow("one character without at sign") << QByteArray("x\r\n" + body);
    QTest::newRow("empty first line") << QByteArray("\r\n" + body);
}

void TestRvxReader::rejectedHeader()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = writeRawFile(dir.path(), u"Bad.RVX"_s, bytes);
    QVERIFY(!path.isEmpty());

    ScriptedPrompt prompt;
    prompt.expectError(u"Ungültige Datei "_s + path);
    Catalogue catalogue;
    double date = Unchanged;
    QVERIFY(!ReadRVXFile(path, catalogue, prompt, &date));
    QVERIFY(catalogue.VarList.empty());
    QVERIFY(!catalogue.isComplete());
    QCOMPARE(date, Unchanged);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestRvxReader::euroByteXorsItsLowByte()
{
    // Key 1 ("\x06" before the last character). "AW@S<0" is "@VAR=1" scrambled; in the second line
    // byte 0x80 decodes to U+20AC and unscrambles from its low byte 0xAC: 0xAC ^ 1 = U+00AD.
    QTemporaryDir dir;
    const QString path =
        writeRawFile(dir.path(), u"Euro.RVX"_s, QByteArray("@QZR482 - Test\x06*\r\n0<S@WA\r\n\x80x<@O\r\n"));
    ScriptedPrompt prompt;
    Catalogue catalogue;
    QVERIFY(ReadRVXFile(path, catalogue, prompt, nullptr));
    QCOMPARE(describe(catalogue), QStringList{u"V y\u00AD #1"_s});
    QVERIFY(prompt.verifyDone());
}

void TestRvxReader::missingOrEmptyName()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"Fehlt.RVX"_s);
    ScriptedPrompt prompt;
    prompt.expectError(u"Datei "_s + missing + u" nicht gefunden"_s);
    Catalogue catalogue;
    catalogue.setComplete(true);
    double date = Unchanged;
    QVERIFY(!ReadRVXFile(missing, catalogue, prompt, &date));
    QVERIFY(!catalogue.isComplete());

    // A blank name fails without a message.
    QVERIFY(!ReadRVXFile(u"   "_s, catalogue, prompt, &date));
    QVERIFY(!ReadRVXFile(QString(), catalogue, prompt, &date));
    QCOMPARE(date, Unchanged);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestRvxReader::inputOutputErrorEndsRead()
{
    if (!FailingRead::whyInactive().isEmpty())
        QSKIP(qPrintable(FailingRead::whyInactive()));
    QTemporaryDir dir;
    const QString path = writeExecFile(dir.path(), u"Haus.RVX"_s, {testHeader(27), u"@OBJECT=1"_s, u"NA=Licht"_s});
    QVERIFY(!path.isEmpty());
    const FailingRead failing(path);
    QVERIFY(failing.isActive());
    ScriptedPrompt prompt;
    prompt.expectError(u"E/A-Fehler %1: %2"_s.arg(FailingRead::errorNumber()).arg(path));
    Catalogue catalogue;
    double date = Unchanged;
    QVERIFY(!ReadRVXFile(path, catalogue, prompt, &date));
    QCOMPARE(date, Unchanged);
    QVERIFY(!catalogue.isComplete());
    QVERIFY(catalogue.ObjList.empty());
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestRvxReader::dateFromModificationTime()
{
    QTemporaryDir dir;
    const QString path = writeExecFile(dir.path(), u"Date.RVX"_s, {testHeader(90)});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 33, 700)), QFileDevice::FileModificationTime));
    file.close();

    ScriptedPrompt prompt;
    Catalogue catalogue;
    double date = 0;
    QVERIFY(ReadRVXFile(path, catalogue, prompt, &date));
    // 5 March 2024 14:07:32 (odd seconds rounded down), days since 30 December 1899.
    QCOMPARE(date, 45356.0 + (14 * 3600 + 7 * 60 + 32) / 86400.0);
}

void TestRvxReader::appendsWithoutClearing()
{
    QTemporaryDir dir;
    const QString first =
        writeExecFile(dir.path(), u"A.RVX"_s, {testHeader(90), u"@OBJECT=1"_s, u"NA=a"_s, u"@VAR=2"_s, u"NA=v"_s});
    const QString second = writeExecFile(dir.path(), u"B.RVX"_s, {testHeader(27), u"@OBJECT=3"_s, u"NA=Küche"_s});
    ScriptedPrompt prompt;
    Catalogue catalogue;
    QVERIFY(ReadRVXFile(first, catalogue, prompt, nullptr));
    QVERIFY(ReadRVXFile(second, catalogue, prompt, nullptr));
    QCOMPARE(describe(catalogue), (QStringList{u"V v #2"_s, u"O a #1"_s, u"O Küche #3"_s}));
}

void TestRvxReader::scrambleRefusesWhatCannotReadBack_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("expected");

    QTest::newRow("ascii") << u"NA=Lampe"_s << 90 << true;
    QTest::newRow("umlauts with a small key") << u"NA=Größe Ä Ü ß"_s << 27 << true;
    QTest::newRow("scrambled into a gap of the code page") << u"NA=Ä"_s << 90 << false;
    QTest::newRow("euro sign loses its upper bits") << u"NA=€"_s << 27 << false;
    QTest::newRow("outside the code page") << u"NA=\u0416"_s << 0 << false;
    QTest::newRow("control character") << u"NA=\u0001"_s << 90 << true;
}

void TestRvxReader::scrambleRefusesWhatCannotReadBack()
{
    QFETCH(QString, line);
    QFETCH(int, key);
    QFETCH(bool, expected);
    QString scrambled = line;
    QCOMPARE(ScrambleLine(scrambled, quint8(key)), expected);
    if (expected) {
        QVERIFY(scrambled != line || key == 0);
        UnscrambleLine(scrambled, quint8(key));
        QCOMPARE(scrambled, line);
    }
}

void TestRvxReader::demoProgramReadsCompletely()
{
    QFile source(QStringLiteral(WEBDEF_TEST_DATA "/../../demo/DemoProgram.txt"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QTemporaryDir dir;
    QString error;
    const QString path =
        writeExecFile(dir.path(), u"Demo.RVX"_s, listingLines(QString::fromUtf8(source.readAll())), &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));

    ScriptedPrompt prompt;
    Catalogue catalogue;
    QVERIFY(ReadRVXFile(path, catalogue, prompt, nullptr));
    QCOMPARE(catalogue.TypeList.size(), std::size_t(4));
    QCOMPARE(catalogue.VarList.size(), std::size_t(7));
    QCOMPARE(catalogue.ObjList.size(), std::size_t(25));
    QCOMPARE(catalogue.ObjList[5].text, u"Dunstabzug_Küche"_s);
    QCOMPARE(catalogue.ObjList[5].entry->TypInfo, u"2;Aus;Stufe 1;Stufe 2;"_s);
}

QTEST_GUILESS_MAIN(TestRvxReader)
#include "TestRvxReader.moc"
