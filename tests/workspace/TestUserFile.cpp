#include "support/FileBytes.h"
#include "support/ScriptedPrompt.h"
#include "workspace/AppState.h"
#include "workspace/ProjectModel.h"
#include "workspace/UserFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// Rows as "user|password|start page", one string per grid row.
QStringList rowsOf(const ProjectModel &model)
{
    QStringList rows;
    for (const UserRow &row : model.Users)
        rows.append(row.User + u'|' + row.Password + u'|' + row.StartPage);
    return rows;
}

QList<UserRow> usersFrom(const QStringList &rows)
{
    QList<UserRow> users;
    for (const QString &row : rows) {
        const QStringList cells = row.split(u'|');
        users.append({cells.value(0), cells.value(1), cells.value(2)});
    }
    return users;
}

QStringList emptyRows(int n)
{
    return QStringList(n, u"||"_s);
}
} // namespace

class TestUserFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writesOneLinePerNamedUser_data();
    void writesOneLinePerNamedUser();
    void readsLinesIntoRows_data();
    void readsLinesIntoRows();
    void blankOnlyFileBecomesAUserNamedBlank();
    void readingFewerUsersEmptiesTheRest();
    void missingFileReportsAndLeavesAnEmptyGrid();
    void missingFolderReportsWriteError();
    void deleteRow_data();
    void deleteRow();
    void addButtonShownBelowFifthUserRow();
    void addButtonDisabledBeyond63Rows();

private:
    QTemporaryDir m_dir;
    AppState m_state;
};

void TestUserFile::init()
{
    m_state.DataFolder = m_dir.path();
}

void TestUserFile::writesOneLinePerNamedUser_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("no users gives one blank line") << emptyRows(6) << QByteArray(" \r\n");
    QTest::newRow("password without name not written")
        << QStringList({u"|geheim|Haus"_s, u"anna|pw|Haus"_s, u"ben|pw2|"_s, u"||"_s})
        << QByteArray("anna;pw;Haus\r\nben;pw2;\r\n");
    QTest::newRow("semicolons and quotes written as they stand")
        << QStringList({u"a;b|\"p;w\"|Start Seite"_s}) << QByteArray("a;b;\"p;w\";Start Seite\r\n");
    QTest::newRow("umlauts in the code page") << QStringList({u"Jörg|ß|Küche"_s})
                                              << QByteArray("J\xf6rg;\xdf;K\xfc"
                                                            "che\r\n");
}

void TestUserFile::writesOneLinePerNamedUser()
{
    QFETCH(QStringList, rows);
    QFETCH(QByteArray, expected);
    ProjectModel model;
    model.Users = usersFrom(rows);
    ScriptedPrompt prompt;
    QVERIFY(WriteUserFile(u"P"_s, m_state, model, prompt));
    QCOMPARE(fileBytes(m_dir.filePath(u"P_WEBUSERS.USR"_s)), expected);
}

void TestUserFile::readsLinesIntoRows_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("two users, rows stay six")
        << QByteArray("anna;pw;Haus\r\nben;pw2;\r\n") << QStringList({u"anna|pw|Haus"_s, u"ben|pw2|"_s}) + emptyRows(4);
    QTest::newRow("empty lines skipped, LF accepted")
        << QByteArray("\r\n\nanna;1;2\n\r\nben\n") << QStringList({u"anna|1|2"_s, u"ben||"_s}) + emptyRows(4);
    QTest::newRow("fields after the third ignored")
        << QByteArray("a;b;c;d;e\r\n") << QStringList({u"a|b|c"_s}) + emptyRows(5);
    QTest::newRow("quote keeps semicolon in the field")
        << QByteArray("\"a;b\";c;d\r\nx;\"p;q\r\n") << QStringList({u"\"a;b\"|c|d"_s, u"x|\"p;q|"_s}) + emptyRows(4);
    QTest::newRow("NUL and high bytes") << withNul("a\0b;\x81;\xff\r\n")
                                        << QStringList({u"a\u0000b|\u0081|\u00ff"_s}) + emptyRows(5);
    // A line keeps its first 4096 characters, whatever its length.
    QTest::newRow("long line") << QByteArray(4000, 'x') + ";p;" + QByteArray(2000, 's')
                               << QStringList({QString(4000, u'x') + u"|p|"_s + QString(93, u's')}) + emptyRows(5);

    QByteArray seventy;
    QStringList sixtyFive;
    for (int i = 1; i <= 70; ++i) {
        seventy += "u" + QByteArray::number(i) + ";p;s\r\n";
        if (i <= 65)
            sixtyFive.append(u"u%1|p|s"_s.arg(i));
    }
    QTest::newRow("70 lines fill 65 rows") << seventy << sixtyFive;
}

void TestUserFile::readsLinesIntoRows()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, rows);
    writeBytes(m_dir.filePath(u"P_WEBUSERS.USR"_s), content);
    ProjectModel model;
    ScriptedPrompt prompt;
    QVERIFY(ReadUserFile(u"P"_s, m_state, model, prompt));
    QCOMPARE(rowsOf(model), rows);
}

void TestUserFile::blankOnlyFileBecomesAUserNamedBlank()
{
    ProjectModel model;
    ScriptedPrompt prompt;
    QVERIFY(WriteUserFile(u"P"_s, m_state, model, prompt));
    QVERIFY(ReadUserFile(u"P"_s, m_state, model, prompt));
    QCOMPARE(model.Users.at(0).User, u" "_s);
    QVERIFY(WriteUserFile(u"P"_s, m_state, model, prompt));
    QCOMPARE(fileBytes(m_dir.filePath(u"P_WEBUSERS.USR"_s)), QByteArray(" ;;\r\n"));
}

void TestUserFile::readingFewerUsersEmptiesTheRest()
{
    writeBytes(m_dir.filePath(u"P_WEBUSERS.USR"_s), "a;1;\r\nb;2;\r\n");
    ProjectModel model;
    model.Users = usersFrom({u"u1|p|s"_s, u"u2|p|s"_s, u"u3|p|s"_s, u"u4|p|s"_s, u"u5|p|s"_s, u"||"_s, u"u7|p|s"_s});
    ScriptedPrompt prompt;
    QVERIFY(ReadUserFile(u"P"_s, m_state, model, prompt));
    QCOMPARE(rowsOf(model), QStringList({u"a|1|"_s, u"b|2|"_s}) + emptyRows(5));
}

void TestUserFile::missingFileReportsAndLeavesAnEmptyGrid()
{
    ProjectModel model;
    model.Users = usersFrom({u"anna|pw|Haus"_s, u"ben|pw|"_s, u"||"_s, u"||"_s, u"||"_s, u"||"_s, u"carl||"_s});
    ScriptedPrompt prompt;
    prompt.expectError(u"Datei nicht gefunden: "_s + shown(m_dir.filePath(u"Neu_WEBUSERS.USR"_s)));
    QVERIFY(!ReadUserFile(u"Neu"_s, m_state, model, prompt));
    QCOMPARE(rowsOf(model), emptyRows(7));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestUserFile::missingFolderReportsWriteError()
{
    m_state.DataFolder = m_dir.filePath(u"fehlt"_s);
    ProjectModel model;
    ScriptedPrompt prompt;
    prompt.expectError(u"Fehler 3 beim Schreiben der Datei %1"_s.arg(shown(m_dir.filePath(u"fehlt/P_WEBUSERS.USR"_s))));
    QVERIFY(!WriteUserFile(u"P"_s, m_state, model, prompt));
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

void TestUserFile::deleteRow_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("gridRow");
    QTest::addColumn<QStringList>("expected");

    const QStringList six{u"u1||"_s, u"u2||"_s, u"u3||"_s, u"u4||"_s, u"u5||"_s, u"u6||"_s};
    QTest::newRow("7 grid rows: rows below move up")
        << six << 2 << QStringList({u"u1||"_s, u"u3||"_s, u"u4||"_s, u"u5||"_s, u"u6||"_s});
    QTest::newRow("7 grid rows: last row") << six << 6 << six.mid(0, 5);
    QTest::newRow("5 grid rows: still shrinks") << six.mid(0, 4) << 1 << six.mid(1, 3);
    QTest::newRow("4 grid rows: only emptied") << six.mid(0, 3) << 2 << QStringList({u"u1||"_s, u"||"_s, u"u3||"_s});
    QTest::newRow("2 grid rows: only emptied") << six.mid(0, 1) << 1 << QStringList({u"||"_s});
    QTest::newRow("no row selected") << six << 0 << six;
    QTest::newRow("beyond the last row") << six << 7 << six;
}

void TestUserFile::deleteRow()
{
    QFETCH(QStringList, rows);
    QFETCH(int, gridRow);
    QFETCH(QStringList, expected);
    ProjectModel model;
    model.Users = usersFrom(rows);
    model.AddUserEnabled = false;
    ScriptedPrompt prompt;
    if (expected == rows)
        prompt.expectError(u"Kein Eintrag ausgewählt"_s);
    DeleteUserRow(model, gridRow, prompt);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
    QCOMPARE(rowsOf(model), expected);
    QCOMPARE(model.AddUserEnabled, expected.size() < rows.size());
    QVERIFY(!model.IsChanged);
}

void TestUserFile::addButtonShownBelowFifthUserRow()
{
    ProjectModel model;
    UGSelectCell(model, 5);
    QVERIFY(!model.AddUserVisible);
    UGSelectCell(model, 6);
    QVERIFY(model.AddUserVisible);
    UGSelectCell(model, 1);
    QVERIFY(model.AddUserVisible);
}

void TestUserFile::addButtonDisabledBeyond63Rows()
{
    ProjectModel model;
    QCOMPARE(model.userGridRows(), 7);
    while (model.userGridRows() < 63) {
        AddUserRow(model);
        QVERIFY(model.AddUserEnabled);
    }
    AddUserRow(model);
    QCOMPARE(model.userGridRows(), 64);
    QVERIFY(!model.AddUserEnabled);
}

QTEST_GUILESS_MAIN(TestUserFile)
#include "TestUserFile.moc"
