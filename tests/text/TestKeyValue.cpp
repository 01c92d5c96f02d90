#include "text/KeyValue.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestKeyValue : public QObject
{
    Q_OBJECT

private slots:
    void copy_data();
    void copy();
    void isKey_data();
    void isKey();
    void splitAt_data();
    void splitAt();
    void listField_data();
    void listField();
    void listFieldSep_data();
    void listFieldSep();
    void listFieldsWalk_data();
    void listFieldsWalk();
    void radix_data();
    void radix();
    void radixToInt_data();
    void radixToInt();
    void trimTrailingBlanks_data();
    void trimTrailingBlanks();
};

void TestKeyValue::copy_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("middle") << u"abcdef"_s << 2 << 3 << u"bcd"_s;
    QTest::newRow("runs past end") << u"abc"_s << 2 << 10 << u"bc"_s;
    QTest::newRow("start beyond end") << u"abc"_s << 4 << 1 << QString();
    QTest::newRow("negative count") << u"abc"_s << 1 << -1 << QString();
    QTest::newRow("zero count") << u"abc"_s << 1 << 0 << QString();
}

void TestKeyValue::copy()
{
    QFETCH(QString, s);
    QFETCH(int, i);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(Copy(s, i, n), expected);
}

void TestKeyValue::isKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("matches");
    QTest::addColumn<QString>("value");

    QTest::newRow("empty value") << u"BW"_s << u"BW="_s << true << QString();
    QTest::newRow("longer key") << u"BW"_s << u"BWX=1"_s << false << u"BWX=1"_s;
    QTest::newRow("letter case counts") << u"BW"_s << u"bw=1"_s << false << u"bw=1"_s;
    QTest::newRow("final semicolon stays") << u"PAGEPOS"_s << u"PAGEPOS=0x;1x;2;"_s << true << u"0x;1x;2;"_s;
    QTest::newRow("lone semicolon is empty") << u"X"_s << u"X=;"_s << true << QString();
    QTest::newRow("leading blanks before key") << u"BW"_s << u"   BW=5"_s << true << u"5"_s;
    QTest::newRow("leading tab before key") << u"BW"_s << u"\tBW=5"_s << true << u"5"_s;
    QTest::newRow("blank before equals") << u"BW"_s << u"BW =5"_s << false << u"BW =5"_s;
    QTest::newRow("blank after equals stays") << u"SHEAD"_s << u"SHEAD= Titel"_s << true << u" Titel"_s;
    QTest::newRow("only first equals splits") << u"SHEAD"_s << u"SHEAD=a=b"_s << true << u"a=b"_s;
    QTest::newRow("trailing blanks and controls cut") << u"A"_s << u"A=x \t\r"_s << true << u"x"_s;
    QTest::newRow("no equals") << u"A"_s << u"A"_s << false << u"A"_s;
    QTest::newRow("value cut to 1023") << u"A"_s << (u"A="_s + QString(2000, u'v')) << true << QString(1023, u'v');
    QTest::newRow("semicolon at end of longer value") << u"A"_s << u"A=x;"_s << true << u"x;"_s;
}

void TestKeyValue::isKey()
{
    QFETCH(QString, key);
    QFETCH(QString, line);
    QFETCH(bool, matches);
    QFETCH(QString, value);
    QCOMPARE(IsKey(key, line), matches);
    QCOMPARE(line, value);
}

void TestKeyValue::splitAt_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::newRow("simple") << u"a=b"_s << true << u"a"_s << u"b"_s;
    QTest::newRow("none") << u"ab"_s << false << QString() << QString();
    QTest::newRow("separator first") << u"=b"_s << true << QString() << u"b"_s;
    QTest::newRow("separator at 300") << (QString(299, u'k') + u"=v"_s) << true << QString(299, u'k') << u"v"_s;
    QTest::newRow("separator at 256") << (QString(255, u'k') + u"=v"_s) << true << QString(255, u'k') << u"v"_s;
}

void TestKeyValue::splitAt()
{
    QFETCH(QString, s);
    QFETCH(bool, found);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QString l = u"x"_s;
    QString r = u"y"_s;
    QCOMPARE(SplitAt(s, u'=', l, r), found);
    QCOMPARE(l, left);
    QCOMPARE(r, right);
}

void TestKeyValue::listField_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    const QString list = u"4;7;;9;"_s;
    QTest::newRow("field 1") << list << 1 << u"4"_s;
    QTest::newRow("field 2") << list << 2 << u"7"_s;
    QTest::newRow("empty field 3") << list << 3 << QString();
    QTest::newRow("field 4") << list << 4 << u"9"_s;
    QTest::newRow("after trailing separator") << list << 5 << QString();
    QTest::newRow("far beyond") << list << 50 << QString();
    const QString quoted = u"a;\"b;c\";d"_s;
    QTest::newRow("quoted keeps separator") << quoted << 2 << u"\"b;c\""_s;
    QTest::newRow("after quoted") << quoted << 3 << u"d"_s;
    QTest::newRow("field 1 of leading separator") << u";x"_s << 1 << QString();
    QTest::newRow("field 1 without separator") << u"abc"_s << 1 << u"abc"_s;
    QTest::newRow("unclosed quote swallows rest") << u"a;\"b;c;d"_s << 2 << u"\"b;c;d"_s;
    QTest::newRow("empty text") << QString() << 2 << QString();
}

void TestKeyValue::listField()
{
    QFETCH(QString, s);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(ListField(n, s), expected);
}

void TestKeyValue::listFieldSep_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("sep");
    QTest::addColumn<QString>("expected");
    QTest::newRow("leading separator gives whole text") << u"@a@b"_s << 1 << u"@"_s << u"@a@b"_s;
    QTest::newRow("no separator gives whole text") << u"abc"_s << 1 << u"@"_s << u"abc"_s;
    QTest::newRow("field 1") << u"x@y"_s << 1 << u"@"_s << u"x"_s;
    QTest::newRow("field 2") << u"x@y@z"_s << 2 << u"@"_s << u"y"_s;
    QTest::newRow("colon part") << u"0Z:Aus"_s << 2 << u":"_s << u"Aus"_s;
    QTest::newRow("vertical tab") << u"a\u0003b\u000Bc\u0003d\u000B"_s << 2 << u"\u000B"_s << u"c\u0003d"_s;
}

void TestKeyValue::listFieldSep()
{
    QFETCH(QString, s);
    QFETCH(int, n);
    QFETCH(QString, sep);
    QFETCH(QString, expected);
    QCOMPARE(ListFieldSep(n, s, sep.at(0)), expected);
}

// One cursor walked over a text gives the fields that ListField/ListFieldSep give one by one.
void TestKeyValue::listFieldsWalk_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("sep"); // empty: ListField's ";"
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("empty fields and trailing separator") << u"4;7;;9;"_s << QString()
                                                         << QStringList{u"4"_s, u"7"_s, {}, u"9"_s, {}, {}};
    QTest::newRow("quotes keep separators") << u"a;\"b;c\";d"_s << QString()
                                            << QStringList{u"a"_s, u"\"b;c\""_s, u"d"_s, {}};
    QTest::newRow("unclosed quote") << u"a;\"b;c"_s << QString() << QStringList{u"a"_s, u"\"b;c"_s, {}};
    QTest::newRow("leading separator") << u";x"_s << QString() << QStringList{{}, u"x"_s, {}};
    QTest::newRow("leading separator, whole text first") << u"@a@b"_s << u"@"_s
                                                        << QStringList{u"@a@b"_s, u"a"_s, u"b"_s, {}};
    QTest::newRow("links") << u"a\u0003b\u000Bc\u0003d\u000B"_s << u"\u000B"_s
                           << QStringList{u"a\u0003b"_s, u"c\u0003d"_s, {}, {}};
    QTest::newRow("empty text") << QString() << QString() << QStringList{{}, {}};
}

void TestKeyValue::listFieldsWalk()
{
    QFETCH(QString, s);
    QFETCH(QString, sep);
    QFETCH(QStringList, fields);
    ListFields walk = sep.isEmpty() ? ListFields(s) : ListFields::withSeparator(s, sep.at(0));
    for (qsizetype n = 1; n <= fields.size(); ++n) {
        const QString expected = fields.at(n - 1);
        QCOMPARE(walk.next().toString(), expected);
        QCOMPARE(sep.isEmpty() ? ListField(int(n), s) : ListFieldSep(int(n), s, sep.at(0)), expected);
    }
}

void TestKeyValue::radix_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("negative") << -1 << QString();
    QTest::newRow("zero") << 0 << u"0"_s;
    QTest::newRow("255") << 255 << u"FF"_s;
    QTest::newRow("16777215") << 16777215 << u"FFFFFF"_s;
    QTest::newRow("max") << 2147483647 << u"7FFFFFFF"_s;
}

void TestKeyValue::radix()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(IntToRadix(value, 16), text);
}

void TestKeyValue::radixToInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("lower case") << u"ff"_s << 255;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("G is 16") << u"1G"_s << 32;
    QTest::newRow("sign ignored") << u"-5"_s << 5;
    QTest::newRow("colon is 3") << u":"_s << 3;
    QTest::newRow("wraps at 32 bits") << u"FFFFFFFF"_s << -1;
    // Characters far above "Z" must not overflow (checked under the sanitizers).
    // Weights 1 .. 16^7, then the weight wraps to 0 and restarts at 1: 65480 * 286331170 mod 2^32.
    QTest::newRow("far above Z") << QString(10, QChar(0xFFFF)) << 1432764560;
}

void TestKeyValue::radixToInt()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(RadixToInt(text, 16), value);
}

void TestKeyValue::trimTrailingBlanks_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blanks") << u"Haus  "_s << u"Haus"_s;
    QTest::newRow("all blanks") << u"   "_s << QString();
    QTest::newRow("tab kept") << u"Haus\t"_s << u"Haus\t"_s;
    QTest::newRow("leading kept") << u"  Haus"_s << u"  Haus"_s;
}

void TestKeyValue::trimTrailingBlanks()
{
    QFETCH(QString, s);
    QFETCH(QString, expected);
    QCOMPARE(TrimTrailingBlanks(s), expected);
}

QTEST_GUILESS_MAIN(TestKeyValue)
#include "TestKeyValue.moc"
