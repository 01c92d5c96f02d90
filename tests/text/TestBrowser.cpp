#include "text/Browser.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Finding the default browser's program.
class TestBrowser : public QObject
{
    Q_OBJECT

private slots:
    void registryCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("program");
        QTest::newRow("quoted path with arguments")
            << u"\"C:\\Programme\\Browser\\browser.exe\" -osint -url \"%1\""_s
            << u"C:\\Programme\\Browser\\browser.exe"_s;
        QTest::newRow("unquoted command is taken whole") << u"C:\\b.exe %1"_s << u"C:\\b.exe %1"_s;
        QTest::newRow("no closing quote") << u"\"C:\\b.exe"_s << QString();
        QTest::newRow("empty") << QString() << QString();
    }

    void registryCommand()
    {
        QFETCH(QString, command);
        QFETCH(QString, program);
        QCOMPARE(browserCommandPath(command), program);
    }

    void desktopEntry_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("program");
        QTest::newRow("plain") << QStringList{u"[Desktop Entry]"_s, u"Name=Web"_s, u"Exec=firefox-esr %u"_s}
                               << u"firefox-esr"_s;
        QTest::newRow("quoted") << QStringList{u"[Desktop Entry]"_s, u"Exec=\"/opt/my browser/run\" %U"_s}
                                << u"/opt/my browser/run"_s;
        QTest::newRow("only an action's Exec")
            << QStringList{u"[Desktop Entry]"_s, u"Name=Web"_s, u"[Desktop Action new]"_s, u"Exec=web --new"_s}
            << QString();
        QTest::newRow("no entry group") << QStringList{u"Exec=web"_s} << QString();
    }

    void desktopEntry()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, program);
        QCOMPARE(desktopEntryProgram(lines), program);
    }

    void browserVariableWins()
    {
#ifdef Q_OS_WIN
        QSKIP("the registry names the browser on Windows");
#endif
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString program = dir.filePath(u"meinbrowser"_s);
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray old = qgetenv("BROWSER");
        qputenv("BROWSER", (u"gibtesnicht:"_s + program + u" --neu"_s).toLocal8Bit());
        const QString found = DefaultBrowserPath();
        qputenv("BROWSER", old);
        QCOMPARE(found, program);
    }
};

QTEST_GUILESS_MAIN(TestBrowser)
#include "TestBrowser.moc"
