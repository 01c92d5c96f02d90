#include "text/Numbers.h"
#include "text/OperationError.h"

#include <QTest>


using namespace Qt::Literals::StringLiterals;


class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void wholeNumber_data();
    void wholeNumber();
    void wholeDecimal_data();
    void wholeDecimal();
    void truthValue_data();
    void truthValue();
    void conversionErrorsNameTheText();
};

void TestNumbers::wholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << u"42"_s << true << 42;
    QTest::newRow("leading blanks") << u"   42"_s << true << 42;
    QTest::newRow("trailing blank") << u"42 "_s << false << 0;
    QTest::newRow("negative") << u"-17"_s << true << -17;
    QTest::newRow("plus") << u"+17"_s << true << 17;
    QTest::newRow("dollar hex") << u"$FF"_s << true << 255;
    QTest::newRow("0x hex") << u"0x1a"_s << true << 26;
    QTest::newRow("hex FFFFFFFF wraps") << u"$FFFFFFFF"_s << true << -1;
    QTest::newRow("hex 80000000") << u"0x80000000"_s << true << int(0x80000000u);
    QTest::newRow("hex too long") << u"$100000000"_s << false << 0;
    QTest::newRow("negative hex") << u"-$10"_s << true << -16;
    QTest::newRow("max") << u"2147483647"_s << true << 2147483647;
    QTest::newRow("min") << u"-2147483648"_s << true << int(-2147483648LL);
    QTest::newRow("overflow") << u"2147483648"_s << false << 0;
    QTest::newRow("huge") << u"99999999999999999999999"_s << false << 0;
    QTest::newRow("fraction") << u"0.5"_s << false << 0;
    QTest::newRow("trailing letters") << u"3x"_s << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("sign only") << u"-"_s << false << 0;
    QTest::newRow("dollar only") << u"$"_s << false << 0;
    QTest::newRow("nul inside") << u"1\u00002"_s << false << 0;
    QTest::newRow("leading zeros") << u"012"_s << true << 12;
}

void TestNumbers::wholeNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto result = parseWholeNumber(text);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

void TestNumbers::wholeDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << u"7"_s << true << 7;
    QTest::newRow("negative") << u"-7"_s << true << -7;
    QTest::newRow("hex refused") << u"$7"_s << false << 0;
    QTest::newRow("blank refused") << u" 7"_s << false << 0;
    QTest::newRow("letter") << u"x"_s << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("three digits") << u"012"_s << true << 12;
    QTest::newRow("overflow") << u"4294967296"_s << false << 0;
}

void TestNumbers::wholeDecimal()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto result = parseWholeDecimal(text);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

void TestNumbers::truthValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("value");
    QTest::newRow("zero") << u"0"_s << true << false;
    QTest::newRow("one") << u"1"_s << true << true;
    QTest::newRow("other number") << u"-3"_s << true << true;
    QTest::newRow("true mixed case") << u"TrUe"_s << true << true;
    QTest::newRow("false") << u"FALSE"_s << true << false;
    QTest::newRow("yes refused") << u"ja"_s << false << false;
    QTest::newRow("empty refused") << QString() << false << false;
}

void TestNumbers::truthValue()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(bool, value);
    const auto result = parseTruthValue(text);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

void TestNumbers::conversionErrorsNameTheText()
{
    try {
        StrToInt(u"12a"_s);
        QFAIL("no error");
    } catch (const OperationError &e) {
        QCOMPARE(e.message(), u"'12a' ist kein gültiger Integerwert"_s);
    }
    try {
        StrToBool(u"vielleicht"_s);
        QFAIL("no error");
    } catch (const OperationError &e) {
        QCOMPARE(e.message(), u"'vielleicht' ist kein gültiger boolescher Wert"_s);
    }
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "TestNumbers.moc"
