#include "text/Collation.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The offered entries find names by their folded texts, folded without a string of their own: the
// result must be exactly what QString::toCaseFolded gives, whatever the text.
class TestCollation : public QObject
{
    Q_OBJECT

private slots:
    void foldsEveryCharacterAsQtDoes()
    {
        // Planes 0 and 1 hold every character that folds; each one between two letters.
        for (char32_t u = 0; u < 0x20000; ++u) {
            QString text = u"Ab"_s;
            if (QChar::requiresSurrogates(u)) {
                text += QChar(QChar::highSurrogate(u));
                text += QChar(QChar::lowSurrogate(u));
            } else {
                text += QChar(char16_t(u)); // lone surrogates included
            }
            text += u"Z"_s;
            QString folded;
            appendCaseFolded(text, folded);
            QVERIFY2(folded == text.toCaseFolded(), qPrintable(QString::number(u, 16)));
        }
    }

    void appendsToWhatIsThere_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("German") << u"GRÜßE aus KÖLN"_s;
        QTest::newRow("Greek final sigma") << u"ΟΔΟΣ οδος"_s;
        QTest::newRow("pair split at the end") << u"x"_s + QChar(0xD801);
        QTest::newRow("empty") << QString();
    }

    void appendsToWhatIsThere()
    {
        QFETCH(QString, text);
        QString out = u"Vorher|"_s;
        appendCaseFolded(text, out);
        QCOMPARE(out, u"Vorher|"_s + text.toCaseFolded());
    }
};

QTEST_GUILESS_MAIN(TestCollation)
#include "TestCollation.moc"
