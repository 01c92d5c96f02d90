#include "text/Guard.h"
#include "text/OperationError.h"

#include "support/ScriptedPrompt.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
class Sender : public QObject
{
    Q_OBJECT
signals:
    void cell(int row, int column, int previousRow, int previousColumn);
    void plain();
};

class Receiver : public QObject
{
    Q_OBJECT
public:
    int calls = 0;
    void handler() { ++calls; }
    void failing() { throw OperationError::notAnInteger(u"x"_s); }
};
} // namespace

class TestGuard : public QObject
{
    Q_OBJECT

private slots:
    void conversionErrorIsShownAndEventLoopGoesOn();
    void handlersMayTakeFewerArguments();
};

void TestGuard::conversionErrorIsShownAndEventLoopGoesOn()
{
    ScriptedPrompt prompt;
    prompt.expectError(u"'x' ist kein gültiger Integerwert"_s).expectError(u"E/A-Fehler 5"_s);
    Sender sender;
    Receiver receiver;
    connectGuarded(prompt, &sender, &Sender::plain, &receiver, &Receiver::failing);
    emit sender.plain();
    QVERIFY(!runGuarded(prompt, [] { throw OperationError::ioError(5); }));
    QVERIFY(runGuarded(prompt, [] {}));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestGuard::handlersMayTakeFewerArguments()
{
    ScriptedPrompt prompt;
    Sender sender;
    Receiver receiver;
    int seenRow = -1;
    int seenColumn = -1;
    connectGuarded(prompt, &sender, &Sender::cell, &receiver, [&](int row, int column) {
        seenRow = row;
        seenColumn = column;
    });
    connectGuarded(prompt, &sender, &Sender::cell, &receiver, &Receiver::handler);
    emit sender.cell(3, 1, 0, 0);
    QCOMPARE(seenRow, 3);
    QCOMPARE(seenColumn, 1);
    QCOMPARE(receiver.calls, 1);
    QVERIFY(prompt.verifyDone());
}

QTEST_GUILESS_MAIN(TestGuard)
#include "TestGuard.moc"
