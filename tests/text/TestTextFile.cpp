#include "text/Cp1252.h"
#include "support/FileBytes.h"
#include "text/FilePaths.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void everyByteSurvivesDecodeAndEncode();
    void unencodableCharactersBecomeQuestionMarks_data();
    void unencodableCharactersBecomeQuestionMarks();
    void writesCrLfAfterEveryLine();
    void readsLines_data();
    void readsLines();
    void unreadableFilesReportFalse();
    void writeFailures_data();
    void writeFailures();
    void failedWriteLeavesOldFile();
    void projectFilePath_data();
    void projectFilePath();
};

void TestTextFile::everyByteSurvivesDecodeAndEncode()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString decoded = Cp1252::decode(all);
    QCOMPARE(decoded.size(), 256);
    QCOMPARE(decoded.at(0x80), QChar(0x20AC));
    QCOMPARE(decoded.at(0x81), QChar(0x0081));
    QCOMPARE(decoded.at(0x8D), QChar(0x008D));
    QCOMPARE(decoded.at(0x8F), QChar(0x008F));
    QCOMPARE(decoded.at(0x90), QChar(0x0090));
    QCOMPARE(decoded.at(0x9D), QChar(0x009D));
    QCOMPARE(decoded.at(0x9F), QChar(0x0178));
    QCOMPARE(decoded.at(0xE4), QChar(0x00E4));
    QCOMPARE(Cp1252::encode(decoded), all);
}

void TestTextFile::unencodableCharactersBecomeQuestionMarks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("euro sign") << u"5 €"_s << QByteArray("5 \x80");
    QTest::newRow("umlauts") << u"Größe"_s << QByteArray("Gr\xF6\xDF" "e");
    QTest::newRow("cyrillic") << u"Дом"_s << QByteArray("???");
    QTest::newRow("unassigned C1") << u"\u0085"_s << QByteArray("?");
    QTest::newRow("surrogate pair is one character") << u"a\U0001F600b"_s << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
}

void TestTextFile::unencodableCharactersBecomeQuestionMarks()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Cp1252::encode(text), bytes);
}

void TestTextFile::writesCrLfAfterEveryLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.txt"_s);
    QCOMPARE(writeTextFile(path, {u"eins"_s, QString(), u"Tür"_s}), WriteStatus::Ok);
    QCOMPARE(fileBytes(path), QByteArray("eins\r\n\r\nT\xFCr\r\n"));
}

void TestTextFile::readsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lf only") << QByteArray("a\nb\n") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("blank lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{QString(), QString(), u"x"_s};
    QTest::newRow("nul bytes") << QByteArray("a\0b\r\n", 5) << QStringList{u"a\u0000b"_s};
    // Old editors end lines with CR alone.
    QTest::newRow("lone cr ends a line") << QByteArray("a\rb\n") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("cr only") << QByteArray("a\rb\rc") << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("cr, then cr lf") << QByteArray("a\r\r\nb") << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("lf cr") << QByteArray("a\n\rb") << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("cp1252") << QByteArray("\x80\x81\n") << QStringList{u"\u20AC\u0081"_s};
}

void TestTextFile::readsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"in.txt"_s);
    writeBytes(path, bytes);
    QStringList read{u"old"_s};
    QCOMPARE(readTextFile(path, read), ReadStatus::Ok);
    QCOMPARE(read, lines);
}

void TestTextFile::unreadableFilesReportFalse()
{
    QTemporaryDir dir;
    QStringList lines;
    QCOMPARE(readTextFile(dir.filePath(u"missing.txt"_s), lines), ReadStatus::NotFound);
    QCOMPARE(readTextFile(dir.path(), lines), ReadStatus::NotFound);
    QCOMPARE(readTextFile(QString(), lines), ReadStatus::NotFound);
    // Windows cannot open names this long, so no platform does, and says why instead of "not found".
    const QString longFolder = dir.filePath(QString(200, u'f'));
    QVERIFY(QDir().mkpath(longFolder));
    const QString longPath = longFolder + u'/' + QString(100, u'x');
    writeBytes(longPath, "a\r\n");
    QVERIFY(QFile::exists(longPath));
    QCOMPARE(readTextFile(longPath, lines), ReadStatus::TooLong);
    QCOMPARE(readFailureMessage(ReadStatus::TooLong, longPath, u"Datei %1 nicht gefunden"_s),
             u"Der Name der Datei %1 ist zu lang: Windows erlaubt höchstens 259 Zeichen."_s.arg(longPath));
}

void TestTextFile::writeFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("missing folder") << u"nope/x.txt"_s << 3;
    QTest::newRow("colon") << u"a:b.txt"_s << 123;
    QTest::newRow("question mark") << u"a?.txt"_s << 123;
    // Windows would write these to a device, or under another name.
    QTest::newRow("device name") << u"CON.FNP"_s << 123;
    QTest::newRow("device name in small letters") << u"lpt1.fnp"_s << 123;
    QTest::newRow("trailing dot") << u"HAUS."_s << 123;
    QTest::newRow("control character") << u"a\u0001.txt"_s << 123;
    QTest::newRow("too long") << QString(300, u'y') << 3;
}

void TestTextFile::writeFailures()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QTemporaryDir dir;
    int error = 0;
    const QString path = dir.path() + u'/' + name;
    QCOMPARE(writeTextFile(path, {u"x"_s}, &error), WriteStatus::CreateFailed);
    QCOMPARE(error, number);
    QCOMPARE(fileErrorNumber(path), number);
}

void TestTextFile::failedWriteLeavesOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"keep.txt"_s);
    QCOMPARE(writeTextFile(path, {u"old"_s}), WriteStatus::Ok);
    // A folder where the temporary file would go cannot be written: make the target a folder's
    // child whose folder vanished, then check the original is still intact.
    QCOMPARE(writeTextFile(dir.filePath(u"gone/keep.txt"_s), {u"new"_s}), WriteStatus::CreateFailed);
    QCOMPARE(fileBytes(path), QByteArray("old\r\n"));
    QCOMPARE(writeTextFile(path, {u"new"_s}), WriteStatus::Ok);
    QCOMPARE(fileBytes(path), QByteArray("new\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"keep.txt"_s});
}

void TestTextFile::projectFilePath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    const QString d = pathDelimiter();
    QTest::newRow("without delimiter") << u"daten"_s << (u"daten"_s + d + u"P.FNP"_s);
    QTest::newRow("with delimiter") << (u"daten"_s + d) << (u"daten"_s + d + u"P.FNP"_s);
    QTest::newRow("empty is root") << QString() << (d + u"P.FNP"_s);
}

void TestTextFile::projectFilePath()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(::projectFilePath(folder, u"P.FNP"_s), expected);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "TestTextFile.moc"
