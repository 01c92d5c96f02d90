#include "support/ScriptedPrompt.h"
#include "workspace/AppState.h"
#include "workspace/JsonSettingsStore.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The program's start, save and restart through the workspace, with the settings in a JSON file.
class TestProjectOperationsStartup : public QObject
{
    Q_OBJECT

private slots:
    void firstStartAsksAndRestartRemembers();
};

void TestProjectOperationsStartup::firstStartAsksAndRestartRemembers()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString data = QDir::toNativeSeparators(dir.filePath(u"daten"_s));
    QVERIFY(QDir().mkpath(data));
    JsonSettingsStore settings(dir.filePath(u"config/Quorvant/registry.json"_s));

    {
        ScriptedPrompt prompt;
        prompt.expectName(u"FENNAROSET"_s, true, u"Haus"_s);
        AppState state;
        Workspace workspace(state, prompt, &settings);
        workspace.FormCreate(dir.path());
        QVERIFY(workspace.FormShow());
        QCOMPARE(workspace.model().HeadName, u"Haus"_s);
        workspace.model().DirDatText = data + QDir::separator();
        workspace.operations().DirDatEdtExit();
        workspace.Speichern1Click();
        QVERIFY(workspace.FormClose());
        QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
        QVERIFY(QFileInfo::exists(data + QDir::separator() + u"Haus.FNP"_s));
    }

    ScriptedPrompt prompt;
    AppState state;
    Workspace workspace(state, prompt, &settings);
    workspace.FormCreate(dir.path());
    QVERIFY(!workspace.FormShow());
    QCOMPARE(state.ProjectName, u"Haus"_s);
    QCOMPARE(state.DataFolder, data);
    QCOMPARE(workspace.model().HeadName, u"Haus"_s);
    QCOMPARE(workspace.model().DirDatText, data);
    QVERIFY2(prompt.verifyDone(), qPrintable(prompt.problems().join(u'\n')));
}

QTEST_GUILESS_MAIN(TestProjectOperationsStartup)
#include "TestProjectOperationsStartup.moc"
