// Crash test of saving: kills a program with SIGKILL at random moments while it saves a project
// (project file, user list, settings and a refresh of 40 pages) over and over, then checks that
// every file holds a complete version, the one before the interrupted save or the one it was
// writing, and that no temporary file is left beside them that a user sees. A hidden copy that a
// save had not yet moved into place may stay; the next opening of the project must remove it,
// which opening it as the editor does at its start checks: a copy left after that fails the run.
//
//   webdef-crashsaves [--runs N] [--series S] [--folder DIR]
//   webdef-crashsaves --concurrent N [--folder DIR]
//
// Prints one line per run that is not clean and a summary; exits with 0 when every run was clean.
// The program it kills is itself, started as "webdef-crashsaves --save-loop SETTINGS JOURNAL" in a
// copy of the start files: it saves generations 1, 2, 3, ... (see SaveGeneration.h) and writes the
// number of the generation it starts into JOURNAL before each save.
//
// --concurrent runs N pairs of saves of one project at the same time, generations g and g + 1 (as
// "webdef-crashsaves --save-once SETTINGS G"): both must end well, and every file must hold one of
// the two generations whole, with nothing left beside them.

#include "SaveGeneration.h"

#include "text/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <map>
#include <thread>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace {

const QString SettingsFile = u"config/registry.json"_s;
const QString Journal = u"journal"_s;

// The journal and the hidden copy its own writing may leave belong to the test, not to the saves.
bool isJournal(const QString &name)
{
    return name == Journal || name.startsWith(u".~"_s + Journal);
}

void say(const QString &text)
{
    std::fputs(qPrintable(text + u'\n'), stdout);
    std::fflush(stdout);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool copyFolder(const QString &from, const QString &to)
{
    if (!QFileInfo(from).isDir() || !QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir() ? !QDir().mkpath(target) : !QFile::copy(source, target))
            return false;
    }
    return true;
}

// Every file below folder, relative to it; hidden ones too when asked.
QStringList filesBelow(const QString &folder, bool hidden)
{
    QStringList files;
    const QDir::Filters filters = hidden ? QDir::Files | QDir::Hidden | QDir::System : QDir::Files | QDir::System;
    QDirIterator it(folder, filters, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next().mid(folder.size() + 1));
    files.sort();
    return files;
}

// The child: saves generation after generation until it is killed.
int saveLoop(const QString &settingsFile, const QString &journal)
{
#ifdef Q_OS_LINUX
    // Never outlives the test that started it, however that test ends.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    SaveGeneration::Saver saver(settingsFile);
    say(u"bereit"_s);
    for (int g = 1;; ++g) {
        if (writeTextFile(journal, {QString::number(g)}) != WriteStatus::Ok) {
            std::fprintf(stderr, "cannot write the journal\n");
            return 3;
        }
        QString error;
        if (!saver.save(g, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 3;
        }
    }
}

// A child of --concurrent: one save of generation g.
int saveOnce(const QString &settingsFile, int g)
{
#ifdef Q_OS_LINUX
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    QString error;
    if (!SaveGeneration::Saver(settingsFile).save(g, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 3;
    }
    return 0;
}

class CrashTest
{
public:
    explicit CrashTest(const QString &root) : m_root(root) {}

    bool prepare(QString *error)
    {
        const QString start = m_root + u"/start"_s;
        if (!QDir().mkpath(start) || !QDir::setCurrent(start) || !SaveGeneration::writeStart(SettingsFile, error))
            return false;
        m_generations[0] = readFiles(start);
        QElapsedTimer timer;
        timer.start();
        const bool made = expected(1) != nullptr;
        // Kills land anywhere in the first three saves.
        m_window = std::max<qint64>(3 * timer.nsecsElapsed() / 1000, 2000);
        return made;
    }

    qint64 windowMicroseconds() const { return m_window; }
    // Runs after which a hidden copy was left (and removed by the next save).
    int hiddenLeftovers() const { return m_hiddenLeftovers; }

    // One run: a fresh copy of the start files, a child saving in it, killed after delay. Returns an
    // empty text when the run was clean, else what was wrong.
    QString run(qint64 delayMicroseconds)
    {
        const QString folder = m_root + u"/run"_s;
        QDir(folder).removeRecursively();
        if (!copyFolder(m_root + u"/start"_s, folder))
            return u"cannot copy the start files"_s;

        QProcess child;
        child.setWorkingDirectory(folder);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {u"--save-loop"_s, SettingsFile, Journal});
        if (!child.waitForStarted() || !child.waitForReadyRead(60000))
            return u"the saving program did not start"_s;
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds));
        if (child.state() != QProcess::Running)
            return u"the saving program stopped by itself (exit code %1)"_s.arg(child.exitCode());
        child.kill();
        child.waitForFinished();
        return check(folder);
    }

private:
    using Files = QHash<QString, QByteArray>;

    Files readFiles(const QString &folder) const
    {
        Files files;
        for (const QString &name : SaveGeneration::savedFiles(SettingsFile))
            files.insert(name, fileBytes(folder + u'/' + name));
        return files;
    }

    // The files of generation g, made by saving it in a copy of the start files.
    const Files *expected(int g)
    {
        if (const auto it = m_generations.find(g); it != m_generations.end())
            return &it->second;
        const QString folder = m_root + u"/generation"_s;
        QDir(folder).removeRecursively();
        QString error;
        const QString current = QDir::currentPath();
        const bool saved = copyFolder(m_root + u"/start"_s, folder) && QDir::setCurrent(folder) &&
                           SaveGeneration::Saver(SettingsFile).save(g, &error);
        QDir::setCurrent(current);
        if (!saved) {
            say(u"generation %1 cannot be saved: %2"_s.arg(g).arg(error));
            return nullptr;
        }
        return &(m_generations[g] = readFiles(folder));
    }

    QString check(const QString &folder)
    {
        const QByteArray journal = fileBytes(folder + u'/' + Journal).trimmed();
        const int started = journal.isEmpty() ? 0 : journal.toInt();
        const Files *now = expected(started);
        const Files *before = started > 0 ? expected(started - 1) : now;
        if (!now || !before)
            return u"generation %1 cannot be made"_s.arg(started);

        QStringList problems;
        const QStringList saved = SaveGeneration::savedFiles(SettingsFile);
        for (const QString &name : saved) {
            const QByteArray bytes = fileBytes(folder + u'/' + name);
            if (bytes != now->value(name) && bytes != before->value(name))
                problems.append(u"%1 is neither generation %2 nor %3 (%4 bytes)"_s.arg(name).arg(started - 1).arg(
                    started).arg(bytes.size()));
        }
        QStringList hidden;
        for (const QString &name : filesBelow(folder, true)) {
            if (isJournal(name) || saved.contains(name))
                continue;
            if (filesBelow(folder, false).contains(name))
                problems.append(u"left behind: %1"_s.arg(name));
            else
                hidden.append(name);
        }
        if (!hidden.isEmpty())
            ++m_hiddenLeftovers;
        if (problems.isEmpty())
            problems += openAgain(folder);
        return problems.join(u"; "_s);
    }

    // The program started again after the kill: opening the project must take away every hidden
    // copy, and the next save must succeed.
    QStringList openAgain(const QString &folder)
    {
        QString error;
        const QString current = QDir::currentPath();
        const bool opened = QDir::setCurrent(folder) && SaveGeneration::openProject(SettingsFile, &error);
        QStringList problems;
        if (!opened)
            problems.append(u"the opening after the kill failed: "_s + error);
        for (const QString &name : filesBelow(folder, true)) {
            if (!isJournal(name) && !SaveGeneration::savedFiles(SettingsFile).contains(name))
                problems.append(u"left behind after the next opening: %1"_s.arg(name));
        }
        if (problems.isEmpty() && !SaveGeneration::Saver(SettingsFile).save(1000, &error))
            problems.append(u"the save after the kill failed: "_s + error);
        QDir::setCurrent(current);
        return problems;
    }

public:
    // One pair of saves at the same time, of generations g and g + 1, in a fresh copy of the start
    // files. Returns an empty text when both ended well and every file holds one of them whole.
    QString concurrentPair(int g)
    {
        const QString folder = m_root + u"/pair"_s;
        QDir(folder).removeRecursively();
        if (!copyFolder(m_root + u"/start"_s, folder))
            return u"cannot copy the start files"_s;
        const Files *first = expected(g);
        const Files *second = expected(g + 1);
        if (!first || !second)
            return u"generations %1 and %2 cannot be made"_s.arg(g).arg(g + 1);
        QProcess one, two;
        for (QProcess *child : {&one, &two}) {
            child->setWorkingDirectory(folder);
            child->setProcessChannelMode(QProcess::SeparateChannels);
        }
        one.start(QCoreApplication::applicationFilePath(), {u"--save-once"_s, SettingsFile, QString::number(g)});
        two.start(QCoreApplication::applicationFilePath(), {u"--save-once"_s, SettingsFile, QString::number(g + 1)});
        QStringList problems;
        for (QProcess *child : {&one, &two}) {
            if (!child->waitForFinished(120000) || child->exitCode() != 0)
                problems.append(u"a save failed: "_s + QString::fromLocal8Bit(child->readAllStandardError()).trimmed());
        }
        for (const QString &name : SaveGeneration::savedFiles(SettingsFile)) {
            const QByteArray bytes = fileBytes(folder + u'/' + name);
            if (bytes != first->value(name) && bytes != second->value(name))
                problems.append(u"%1 is neither generation %2 nor %3"_s.arg(name).arg(g).arg(g + 1));
        }
        for (const QString &name : filesBelow(folder, true)) {
            if (!SaveGeneration::savedFiles(SettingsFile).contains(name))
                problems.append(u"left behind: %1"_s.arg(name));
        }
        return problems.join(u"; "_s);
    }

private:
    QString m_root;
    std::map<int, Files> m_generations;
    qint64 m_window = 0;
    int m_hiddenLeftovers = 0;
};

int runTests(int runs, quint32 series, const QString &folder)
{
    QTemporaryDir temporary(QDir::tempPath() + u"/webdef-crashsaves-XXXXXX"_s);
    const QString root = folder.isEmpty() ? temporary.path() : QDir(folder).absolutePath();
    CrashTest test(root);
    QString error;
    if (!test.prepare(&error)) {
        say(u"cannot prepare the start files: "_s + error);
        return 2;
    }
    say(u"%1 runs, kills within %2 ms after the saving program is ready, series %3"_s.arg(runs)
            .arg(double(test.windowMicroseconds()) / 1000.0, 0, 'f', 1)
            .arg(series));
    QRandomGenerator random(series);
    int clean = 0;
    for (int r = 1; r <= runs; ++r) {
        const qint64 delay = qint64(random.bounded(quint64(test.windowMicroseconds()) + 1));
        const QString problems = test.run(delay);
        if (problems.isEmpty())
            ++clean;
        else
            say(u"run %1 (killed after %2 µs): %3"_s.arg(r).arg(delay).arg(problems));
        if (r % 100 == 0 && r < runs)
            say(u"%1 runs, %2 clean"_s.arg(r).arg(clean));
    }
    say(u"%1 of %2 runs clean; after %3 a hidden copy was left, which the next opening removed"_s.arg(clean)
            .arg(runs)
            .arg(test.hiddenLeftovers()));
    return clean == runs ? 0 : 1;
}

int runConcurrent(int pairs, const QString &folder)
{
    QTemporaryDir temporary(QDir::tempPath() + u"/webdef-crashsaves-XXXXXX"_s);
    const QString root = folder.isEmpty() ? temporary.path() : QDir(folder).absolutePath();
    CrashTest test(root);
    QString error;
    if (!test.prepare(&error)) {
        say(u"cannot prepare the start files: "_s + error);
        return 2;
    }
    say(u"%1 pairs of saves of one project at the same time"_s.arg(pairs));
    int clean = 0;
    for (int p = 1; p <= pairs; ++p) {
        const QString problems = test.concurrentPair(2 * p);
        if (problems.isEmpty())
            ++clean;
        else
            say(u"pair %1: %2"_s.arg(p).arg(problems));
    }
    say(u"%1 of %2 pairs clean"_s.arg(clean).arg(pairs));
    return clean == pairs ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args.at(0) == u"--save-loop"_s)
        return saveLoop(args.at(1), args.at(2));
    if (args.size() == 3 && args.at(0) == u"--save-once"_s)
        return saveOnce(args.at(1), args.at(2).toInt());

    int runs = 1000;
    int pairs = 0;
    quint32 series = QRandomGenerator::global()->generate();
    QString folder;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        if (args.at(i) == u"--runs"_s)
            runs = args.at(i + 1).toInt();
        else if (args.at(i) == u"--concurrent"_s)
            pairs = args.at(i + 1).toInt();
        else if (args.at(i) == u"--series"_s)
            series = args.at(i + 1).toUInt();
        else if (args.at(i) == u"--folder"_s)
            folder = args.at(i + 1);
    }
    if (args.size() % 2 != 0 || runs < 1 || pairs < 0) {
        std::fputs("usage: webdef-crashsaves [--runs N] [--series S] [--folder DIR]\n"
                   "       webdef-crashsaves --concurrent N [--folder DIR]\n",
                   stderr);
        return 2;
    }
    return pairs > 0 ? runConcurrent(pairs, folder) : runTests(runs, series, folder);
}
