#include "text/Entities.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestEntities : public QObject
{
    Q_OBJECT

private slots:
    void entities_data();
    void entities();
    void entityTextComesBackAsLetter();
    void colorToText_data();
    void colorToText();
    void textToColor_data();
    void textToColor();
};

void TestEntities::entities_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("headline") << u"Größe"_s << u"Gr&ouml;&szuml;e"_s;
    QTest::newRow("all seven") << u"üäöÄÜÖß"_s << u"&uuml;&auml;&ouml;&Auml;&Uuml;&Ouml;&szuml;"_s;
    QTest::newRow("others pass") << u"a&b<c>\"é"_s << u"a&b<c>\"é"_s;
}

void TestEntities::entities()
{
    QFETCH(QString, plain);
    QFETCH(QString, encoded);
    QCOMPARE(UmlautsToEntities(plain), encoded);
    QCOMPARE(EntitiesToUmlauts(encoded), plain);
}

void TestEntities::entityTextComesBackAsLetter()
{
    QCOMPARE(EntitiesToUmlauts(UmlautsToEntities(u"&auml;"_s)), u"ä"_s);
    QCOMPARE(EntitiesToUmlauts(u"&UUML;"_s), u"&UUML;"_s);
}

void TestEntities::colorToText_data()
{
    QTest::addColumn<int>("colour");
    QTest::addColumn<QString>("text");
    QTest::newRow("black") << 0 << u"000000"_s;
    QTest::newRow("white") << 16777215 << u"FFFFFF"_s;
    QTest::newRow("red") << 255 << u"FF0000"_s;
    QTest::newRow("blue") << 16711680 << u"0000FF"_s;
    QTest::newRow("mixed") << 0x563412 << u"123456"_s;
    QTest::newRow("system colour") << int(0x80000005u) << u"FFFFFF"_s;
}

void TestEntities::colorToText()
{
    QFETCH(int, colour);
    QFETCH(QString, text);
    QCOMPARE(ColorToText(colour), text);
}

void TestEntities::textToColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("colour");
    QTest::newRow("blue") << u"0000FF"_s << 16711680;
    QTest::newRow("lower red") << u"ff0000"_s << 255;
    QTest::newRow("short") << u"FFF"_s << 0xFFF;
    QTest::newRow("empty is black") << QString() << 0;
    QTest::newRow("mixed") << u"123456"_s << 0x563412;
    QTest::newRow("characters far above Z") << u"\uFFFF\uFFFF"_s << int(65480 * 16 + 65480);
}

void TestEntities::textToColor()
{
    QFETCH(QString, text);
    QFETCH(int, colour);
    QCOMPARE(TextToColor(text), colour);
}

QTEST_GUILESS_MAIN(TestEntities)
#include "TestEntities.moc"
