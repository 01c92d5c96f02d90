#include "dialogs/TExtInpEdt.h"

#include <QApplication>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// Records error sounds and status codes in one list, in the order they happen.
class RecordingEdit : public TExtInpEdt
{
public:
    RecordingEdit()
    {
        connect(this, &TExtInpEdt::inputStatus, this, [this](int id, int code) {
            events.append(QString::number(code));
            lastId = id;
        });
    }
    QStringList events;
    int lastId = -1;

protected:
    void playErrorSound() override { events.append(u"beep"_s); }
};

const QString Valid32 = u"abcdefghijklmnopqrstuvwxyzABCDEF"_s;
const QString Valid40 = Valid32 + u"GHIJKLMN"_s;
} // namespace

class TestTExtInpEdt : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void changes_data();
    void changes();
    void nameCharacters_data();
    void nameCharacters();
};

void TestTExtInpEdt::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestTExtInpEdt::changes_data()
{
    // Each step is "set:<text>" (the program sets the whole text), "type:<keys>" (typed at the
    // caret) or "clear:" (forget the events so far). The events are those of all steps.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret"); // -1: not checked

    QTest::newRow("leading digit") << QStringList{u"set:1abc"_s} << QStringList{u"beep"_s, u"1"_s} << u"abc"_s << -1;
    QTest::newRow("umlauts and sharp s accepted")
        << QStringList{u"set:ÄÖÜäöüßz9"_s} << QStringList() << u"ÄÖÜäöüßz9"_s << -1;
    QTest::newRow("blank removed") << QStringList{u"set:ab c"_s} << QStringList{u"beep"_s, u"1"_s} << u"abc"_s << 2;
    QTest::newRow("hyphen removed") << QStringList{u"set:ab-"_s} << QStringList{u"beep"_s, u"1"_s} << u"ab"_s << 2;
    QTest::newRow("accented letter removed")
        << QStringList{u"set:éa"_s} << QStringList{u"beep"_s, u"1"_s} << u"a"_s << 0;
    QTest::newRow("character above U+00FF removed")
        << QStringList{u"set:a€b"_s} << QStringList{u"beep"_s, u"1"_s} << u"ab"_s << 1;
    QTest::newRow("40 valid characters pasted")
        << QStringList{u"set:"_s + Valid40} << QStringList{u"2"_s, u"beep"_s} << Valid32 << 32;
    QTest::newRow("valid keystroke after a correction clears only")
        << QStringList{u"set:ab-"_s, u"clear:"_s, u"type:c"_s} << QStringList{u"0"_s} << u"abc"_s << 3;
    QTest::newRow("invalid keystroke after a correction reports again")
        << QStringList{u"set:ab-"_s, u"clear:"_s, u"type:_"_s} << QStringList{u"0"_s, u"beep"_s, u"1"_s} << u"ab"_s
        << 2;
    QTest::newRow("two keystrokes beyond the maximum")
        << QStringList{u"set:"_s + Valid32, u"type:xy"_s} << QStringList{u"2"_s, u"beep"_s, u"0"_s, u"2"_s, u"beep"_s}
        << Valid32 << 32;
    QTest::newRow("only character removed")
        << QStringList{u"set:-"_s} << QStringList{u"beep"_s, u"1"_s} << QString() << -1;
    QTest::newRow("digits only, one per pass")
        << QStringList{u"set:2023"_s}
        << QStringList{u"beep"_s, u"1"_s, u"beep"_s, u"1"_s, u"beep"_s, u"1"_s, u"beep"_s, u"1"_s} << QString() << -1;
    QTest::newRow("pasted text with several bad characters")
        << QStringList{u"set:a b-c.d"_s} << QStringList{u"beep"_s, u"1"_s, u"beep"_s, u"1"_s, u"beep"_s, u"1"_s}
        << u"abcd"_s << 1;
    QTest::newRow("leading digits then a bad character")
        << QStringList{u"set:12a_b"_s} << QStringList{u"beep"_s, u"1"_s, u"beep"_s, u"1"_s, u"beep"_s, u"1"_s}
        << u"ab"_s << 1;
    QTest::newRow("too long paste with a bad character")
        << QStringList{u"set:abc def"_s + Valid32} << QStringList{u"2"_s, u"beep"_s, u"beep"_s, u"1"_s}
        << u"abcdef"_s + Valid32.left(25) << 31;
    // The caret stays where the first bad character stood, so typing goes on there.
    QTest::newRow("code 0 only once after a cleaned paste")
        << QStringList{u"set:a-b-"_s, u"clear:"_s, u"type:c"_s, u"type:d"_s} << QStringList{u"0"_s} << u"acdb"_s << 3;
}

void TestTExtInpEdt::changes()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, events);
    QFETCH(QString, text);
    QFETCH(int, caret);

    RecordingEdit edit;
    edit.Init(7, 32, TExtInpEdt::NameRule, 0);
    for (const QString &step : steps) {
        const QString arg = step.section(u':', 1);
        if (step.startsWith(u"set:"_s))
            edit.setText(arg);
        else if (step.startsWith(u"type:"_s))
            QTest::keyClicks(&edit, arg);
        else
            edit.events.clear();
    }

    QCOMPARE(edit.events, events);
    QCOMPARE(edit.text(), text);
    if (caret >= 0)
        QCOMPARE(edit.cursorPosition(), caret);
    if (!events.isEmpty())
        QCOMPARE(edit.lastId, 7);
}

void TestTExtInpEdt::nameCharacters_data()
{
    QTest::addColumn<QString>("chars");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("digits") << u"0123456789"_s << true;
    QTest::newRow("letters") << u"AZaz"_s << true;
    QTest::newRow("German letters") << u"ÄÖÜäöüß"_s << true;
    QTest::newRow("punctuation and blank") << u" -_.,/\\\""_s << false;
    QTest::newRow("other Latin-1 letters") << u"éàÅøÿ"_s << false;
    QTest::newRow("beyond Latin-1") << u"ẞŁ€"_s << false;
    QTest::newRow("neighbours of the ranges") << u"/:@[`{"_s << false;
}

void TestTExtInpEdt::nameCharacters()
{
    QFETCH(QString, chars);
    QFETCH(bool, allowed);
    for (const QChar c : chars)
        QVERIFY2(TExtInpEdt::isNameChar(c) == allowed, qPrintable(QString(c)));
}

QTEST_MAIN(TestTExtInpEdt)
#include "TestTExtInpEdt.moc"
