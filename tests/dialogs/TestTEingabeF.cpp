#include "dialogs/TEingabeF.h"
#include "dialogs/TExtInpEdt.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString InvalidChar = u"Ungültiges Zeichen"_s;

// Prepares dialog for a name question as the main window does.
void prepare(TEingabeF &dialog, const QString &initial)
{
    dialog.InpStr = initial;
    dialog.InpArt = TEingabeF::NameInput;
    dialog.InpAnz = 32;
    dialog.Init();
    dialog.ACaption = u"Eingabe"_s;
    dialog.InpBez = u"Neuer Name der Dateigruppe"_s;
}
} // namespace

class TestTEingabeF : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void showingCorrectsInitialText();
    void promptSetBeforeInitIsLost();
    void okAndCancel_data();
    void okAndCancel();
    void fieldsHoldAnsiText_data();
    void fieldsHoldAnsiText();
    void statusLineFollowsTheField();
    void askNameRunsTheDialog();

private:
    ScriptedPrompt m_prompt;
};

void TestTEingabeF::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QVERIFY2(m_prompt.verifyDone(), qPrintable(m_prompt.problems().join(u'\n')));
}

void TestTEingabeF::showingCorrectsInitialText()
{
    TEingabeF dialog(m_prompt);
    auto *field = dialog.findChild<TExtInpEdt *>(u"EingFeld"_s);
    QSignalSpy reports(field, &TExtInpEdt::inputStatus);
    prepare(dialog, u"2023Haus"_s);
    dialog.show();

    QCOMPARE(field->text(), u"Haus"_s);
    QCOMPARE(reports.size(), 4);
    for (const QList<QVariant> &report : reports)
        QCOMPARE(report, (QList<QVariant>{1, 1}));
    QCOMPARE(dialog.findChild<QStatusBar *>(u"StatusBar"_s)->currentMessage(), InvalidChar);
    QCOMPARE(field->selectedText(), u"Haus"_s);
    QCOMPARE(field->cursorPosition(), 0);
    QCOMPARE(dialog.windowTitle(), u"Eingabe"_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"BezLb"_s)->text(), u"Neuer Name der Dateigruppe"_s);
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void TestTEingabeF::promptSetBeforeInitIsLost()
{
    TEingabeF dialog(m_prompt);
    dialog.InpBez = u"Vorher"_s;
    dialog.InpStr = u"Haus"_s;
    dialog.InpArt = TEingabeF::NameInput;
    dialog.InpAnz = 32;
    dialog.Init();
    dialog.show();
    QCOMPARE(dialog.findChild<QLabel *>(u"BezLb"_s)->text(), QString());
}

void TestTEingabeF::okAndCancel_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("typed"); // replaces the selected initial text
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("inpStr");
    QTest::addColumn<int>("inpArt");

    QTest::newRow("OK takes the typed text") << u"Haus"_s << u"Garten 2"_s << u"OKBt"_s << 1 << u"Garten2"_s << 32;
    QTest::newRow("OK keeps the initial text") << u"Haus"_s << QString() << u"OKBt"_s << 1 << u"Haus"_s << 32;
    QTest::newRow("OK with an empty field") << QString() << QString() << u"OKBt"_s << 1 << QString() << 32;
    QTest::newRow("cancel") << u"Haus"_s << u"Garten"_s << u"CancelBtn"_s << 0 << u"Haus"_s << 0;
    QTest::newRow("Esc") << u"Haus"_s << u"Garten"_s << u"Esc"_s << 0 << u"Haus"_s << 0;
}

void TestTEingabeF::okAndCancel()
{
    QFETCH(QString, initial);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(int, result);
    QFETCH(QString, inpStr);
    QFETCH(int, inpArt);

    TEingabeF dialog(m_prompt);
    prepare(dialog, initial);
    dialog.show();
    auto *field = dialog.findChild<TExtInpEdt *>(u"EingFeld"_s);
    if (!typed.isEmpty())
        QTest::keyClicks(field, typed);
    if (button == u"Esc"_s)
        QTest::keyClick(field, Qt::Key_Escape);
    else
        QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), result);
    QCOMPARE(dialog.InpStr.text(), inpStr);
    QCOMPARE(int(dialog.InpArt), inpArt);
}

void TestTEingabeF::fieldsHoldAnsiText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    const QString seventy = QString(60, u'x') + u"0123456789"_s;
    QTest::newRow("70 characters") << seventy << seventy.left(64);
    QTest::newRow("code page characters kept") << u"Größe 5 € – Ä"_s << u"Größe 5 € – Ä"_s;
    QTest::newRow("characters outside the code page") << u"Łódź 😀"_s << u"?ód? ?"_s;
}

void TestTEingabeF::fieldsHoldAnsiText()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    TEingabeF dialog(m_prompt);
    dialog.InpStr = text;
    dialog.ACaption = text;
    dialog.Init();
    dialog.InpBez = text;
    QCOMPARE(dialog.InpStr.text(), stored);
    QCOMPARE(dialog.ACaption.text(), stored);
    QCOMPARE(dialog.InpBez.text(), stored);
}

void TestTEingabeF::statusLineFollowsTheField()
{
    TEingabeF dialog(m_prompt);
    auto *status = dialog.findChild<QStatusBar *>(u"StatusBar"_s);
    auto *field = dialog.findChild<TExtInpEdt *>(u"EingFeld"_s);
    prepare(dialog, u"Haus"_s);
    dialog.show();
    QCOMPARE(status->currentMessage(), QString());

    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClicks(field, u"-"_s);
    QCOMPARE(status->currentMessage(), InvalidChar);
    QTest::keyClicks(field, u"x"_s);
    QCOMPARE(status->currentMessage(), QString());
    QTest::keyClicks(field, QString(40, u'y'));
    QCOMPARE(field->text().size(), 32);
    QCOMPARE(status->currentMessage(), InvalidChar);
    QTest::mouseClick(dialog.findChild<QPushButton *>(u"CancelBtn"_s), Qt::LeftButton);

    // Reused: showing does not empty the line, but the new initial text clears the old report.
    prepare(dialog, u"Garten"_s);
    dialog.show();
    QCOMPARE(field->text(), u"Garten"_s);
    QCOMPARE(status->currentMessage(), QString());
    dialog.hide();
}

void TestTEingabeF::askNameRunsTheDialog()
{
    TEingabeF dialog(m_prompt);
    QString seen;
    QTimer::singleShot(0, &dialog, [&] {
        auto *field = dialog.findChild<TExtInpEdt *>(u"EingFeld"_s);
        seen = dialog.windowTitle() + u'|' + dialog.findChild<QLabel *>(u"BezLb"_s)->text() + u'|' +
               field->selectedText() + u'|' + QString::number(field->maxcnt);
        QTest::keyClicks(field, u"Neu Bau"_s);
        QTest::keyClick(field, Qt::Key_Return);
    });
    QString name = u"Haus"_s;
    QVERIFY(dialog.askName(u"Eingabe"_s, u"Neuer Name der Dateigruppe"_s, 32, name));
    QCOMPARE(seen, u"Eingabe|Neuer Name der Dateigruppe|Haus|32"_s);
    QCOMPARE(name, u"NeuBau"_s);

    QTimer::singleShot(0, &dialog,
                       [&] { QTest::keyClick(dialog.findChild<TExtInpEdt *>(u"EingFeld"_s), Qt::Key_Escape); });
    QVERIFY(!dialog.askName(u"Eingabe"_s, u"Neuer Name der Dateigruppe"_s, 32, name));
    QCOMPARE(name, u"NeuBau"_s);
}

QTEST_MAIN(TestTEingabeF)
#include "TestTEingabeF.moc"
