#include "text/FilePaths.h"
#include "workspace/ShortPath.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestShortPath : public QObject
{
    Q_OBJECT

private slots:
    void shortensToFit_data();
    void shortensToFit();
    void usesThePlatformDelimiterByDefault();
};

void TestShortPath::shortensToFit_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("shown");

    // Widths in characters: every character is one unit wide.
    const QString path = u"C:\\Daten\\Projekte\\Haus\\Steuerung.RVX"_s;
    QTest::newRow("fits exactly") << path << 36 << path;
    QTest::newRow("first folder dropped") << path << 35 << u"C:\\...\\Projekte\\Haus\\Steuerung.RVX"_s;
    QTest::newRow("two folders dropped") << path << 33 << u"C:\\...\\Haus\\Steuerung.RVX"_s;
    QTest::newRow("all folders dropped") << path << 24 << u"C:\\...\\Steuerung.RVX"_s;
    QTest::newRow("delimiter dropped") << path << 19 << u"C:\\...Steuerung.RVX"_s;
    QTest::newRow("characters dropped") << path << 18 << u"C:\\...teuerung.RVX"_s;
    QTest::newRow("nothing left of the tail") << path << 3 << u"C:\\..."_s;
    QTest::newRow("no delimiter cut from the front") << u"Steuerung.RVX"_s << 10 << u"...ung.RVX"_s;
    QTest::newRow("empty path") << QString() << 0 << QString();
}

void TestShortPath::shortensToFit()
{
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(QString, shown);
    const auto charCount = [](const QString &text) { return int(text.size()); };
    QCOMPARE(ShortPathText(path, width, charCount, u'\\'), shown);
}

void TestShortPath::usesThePlatformDelimiterByDefault()
{
    const QChar d = pathDelimiter();
    const QString path = u"x"_s + d + u"aaaa"_s + d + u"b.RVX"_s;
    const auto charCount = [](const QString &text) { return int(text.size()); };
    QCOMPARE(ShortPathText(path, 11, charCount), u"x"_s + d + u"..."_s + d + u"b.RVX"_s);
}

QTEST_GUILESS_MAIN(TestShortPath)
#include "TestShortPath.moc"
