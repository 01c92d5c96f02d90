#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The name look-up of the offered entries on lists large enough to fill its table: every name,
// in any letter case, finds the first entry of its text, and nothing else is found. The expected
// position is found by going through the list from the front.
class TestOfferedLookup : public QObject
{
    Q_OBJECT

private slots:
    void everyNameFindsItsFirstEntry_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one") << 1;
        QTest::newRow("table just full enough") << 8;
        QTest::newRow("table grown once") << 9;
        QTest::newRow("hundreds") << 600;
    }

    void everyNameFindsItsFirstEntry()
    {
        QFETCH(int, count);
        // Every third name comes again in other letter case, every fifth once more exactly.
        Catalogue catalogue;
        QStringList names;
        for (int i = 0; i < count; ++i) {
            names << u"Gerät%1.Wert"_s.arg(i);
            if (i % 3 == 0)
                names << u"GERÄT%1.wert"_s.arg(i);
            if (i % 5 == 0)
                names << u"Gerät%1.Wert"_s.arg(i);
        }
        for (const QString &name : std::as_const(names))
            catalogue.AddPSObj(name, int(catalogue.ObjList.size()))->Source = u'O';
        OfferedEntries offered(catalogue);
        offered.rebuild();

        QStringList folded;
        for (const OfferedEntry &e : offered.entries())
            folded << e.text.toCaseFolded();
        const auto firstOf = [&folded](const QString &name) { return folded.indexOf(name.toCaseFolded()); };
        for (const QString &name : std::as_const(names)) {
            for (const QString &asked : {name, name.toUpper(), name.toLower()})
                QCOMPARE(offered.indexOf(asked), firstOf(asked));
        }
        QCOMPARE(offered.indexOf(u"Gerät%1.Wert"_s.arg(count)), -1);
        QCOMPARE(offered.indexOf(u"Gerät0.Wer"_s), -1);
        QCOMPARE(offered.find(u"gerät0.wert"_s), offered.entries().at(firstOf(u"Gerät0.Wert"_s)).entry);
    }
};

QTEST_GUILESS_MAIN(TestOfferedLookup)
#include "TestOfferedLookup.moc"
