#include "dialogs/TSpinEdit.h"

#include <QLineEdit>
#include <QTest>

#include <limits>

using namespace Qt::Literals::StringLiterals;

// What the number field holds once the typed text is left.
class TestTSpinEdit : public QObject
{
    Q_OBJECT

private slots:
    void leavingBringsTheTextIntoTheLimits_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("above the limit") << 5 << 300 << u"900"_s << 300;
        QTest::newRow("below the limit") << 5 << 300 << u"1"_s << 5;
        QTest::newRow("inside") << 5 << 300 << u"42"_s << 42;
        QTest::newRow("not a number") << 5 << 300 << u"abc"_s << 5;
        QTest::newRow("empty") << 20 << 2000 << QString() << 20;
        QTest::newRow("no limits, not a number") << std::numeric_limits<int>::min()
                                                 << std::numeric_limits<int>::max() << u"x"_s << 0;
        QTest::newRow("no limits, negative") << std::numeric_limits<int>::min() << std::numeric_limits<int>::max()
                                             << u"-15"_s << -15;
    }

    void leavingBringsTheTextIntoTheLimits()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(QString, typed);
        QFETCH(int, value);

        QWidget window;
        auto *spin = new TSpinEdit(&window);
        auto *next = new QLineEdit(&window);
        spin->setRange(minimum, maximum);
        spin->setValue(qBound(minimum, 10, maximum));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        spin->setFocus();
        spin->selectAll();
        QTest::keyClick(spin, Qt::Key_Delete);
        QTest::keyClicks(spin, typed);
        next->setFocus(); // leaving the field
        QCOMPARE(spin->value(), value);
        QCOMPARE(spin->text(), QString::number(value));
    }
};

QTEST_MAIN(TestTSpinEdit)
#include "TestTSpinEdit.moc"
