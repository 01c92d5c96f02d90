#include "support/FileBytes.h"
#include "support/FileSystemFaults.h"
#include "text/AtomicFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::Literals::StringLiterals;

// The atomic replacement under everything the program saves: what it leaves in the folder, what it
// keeps of the file it replaces, and the old file on every failure.
class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void replacesWithNothingBeside_data();
    void replacesWithNothingBeside();
    void leftoversOfStoppedWritersGo_data();
    void leftoversOfStoppedWritersGo();
    void keepsPermissionsAndLinks();
    void failureKeepsOldFile_data();
    void failureKeepsOldFile();

private:
    QStringList allFiles() const { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestAtomicFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(u"HAUS.FNP"_s);
}

void TestAtomicFile::replacesWithNothingBeside_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file yet
    QTest::newRow("new file") << QByteArray();
    QTest::newRow("replaced file") << QByteArray("alt\r\n");
    QTest::newRow("empty file replaced") << QByteArray("");
}

void TestAtomicFile::replacesWithNothingBeside()
{
    QFETCH(QByteArray, before);
    if (!before.isNull())
        writeBytes(m_path, before);

    int number = -1;
    QCOMPARE(writeFileAtomically(m_path, "neu\r\n", &number), WriteStatus::Ok);
    QCOMPARE(number, 0);
    QCOMPARE(fileBytes(m_path), QByteArray("neu\r\n"));
    QCOMPARE(allFiles(), QStringList{u"HAUS.FNP"_s});
}

void TestAtomicFile::leftoversOfStoppedWritersGo_data()
{
    QTest::addColumn<QString>("copy");   // the hidden name beside HAUS.FNP; {W:pid} a writer's copy
    QTest::addColumn<int>("ageHours");   // of the copy
    QTest::addColumn<bool>("removed");

    QTest::newRow("an earlier version's copy") << u".~HAUS.FNP"_s << 0 << true;
    QTest::newRow("an earlier version's temporary file") << u".~HAUS.FNP.aB3dE9"_s << 0 << true;
    QTest::newRow("writer stopped") << u"{W:dead}"_s << 0 << true;
    QTest::newRow("temporary file of a stopped writer") << u"{W:dead}.x1Y2z3"_s << 0 << true;
    QTest::newRow("writer still running") << u"{W:running}"_s << 0 << false;
    QTest::newRow("other machine, an hour old") << u"{W:other}"_s << 1 << false;
    QTest::newRow("other machine, two days old") << u"{W:other}"_s << 48 << true;
    QTest::newRow("copy of another file") << u".~HAUS.FNP2.SHT"_s << 0 << false;
}

// What interrupted writes left is taken away the next time, unless its writer may still be at work;
// a write itself never takes another writer's copy.
void TestAtomicFile::leftoversOfStoppedWritersGo()
{
    QFETCH(QString, copy);
    QFETCH(int, ageHours);
    QFETCH(bool, removed);
    // This very process, writing something else at the same time.
    const qint64 runningPid = QCoreApplication::applicationPid();
    // Far beyond any process number the systems hand out.
    const qint64 deadPid = 2147483000;
    copy.replace(u"{W:dead}"_s, QFileInfo(atomicStagingPath(m_path, deadPid, 7)).fileName());
    copy.replace(u"{W:running}"_s, QFileInfo(atomicStagingPath(m_path, runningPid, 7)).fileName());
    copy.replace(u"{W:other}"_s, QFileInfo(atomicStagingPath(m_path, deadPid, 7, u"0badcafe"_s)).fileName());
    const QString path = m_dir->filePath(copy);
    writeBytes(path, "halb");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600 * ageHours - 60), QFile::FileModificationTime));
    file.close();

    QCOMPARE(writeFileAtomically(m_path, "neu"), WriteStatus::Ok);
    QVERIFY2(QFileInfo::exists(path), "a write leaves other writers' copies alone");
    QCOMPARE(removeStagingLeftovers(m_path), removed ? 1 : 0);
    QCOMPARE(QFileInfo::exists(path), !removed);
    QCOMPARE(fileBytes(m_path), QByteArray("neu"));
}

void TestAtomicFile::keepsPermissionsAndLinks()
{
#ifdef Q_OS_WIN
    QSKIP("Windows keeps no permission bits (its read-only attribute refuses the write: failureKeepsOldFile), and "
          "its symbolic links need rights a user does not have");
#endif
    writeBytes(m_path, "alt");
    const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(m_path, permissions));
    QCOMPARE(writeFileAtomically(m_path, "neu"), WriteStatus::Ok);
    const QFile::Permissions forAll = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                      QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther |
                                      QFile::ExeOther;
    QCOMPARE(QFile::permissions(m_path) & forAll, permissions);

    const QString link = m_dir->filePath(u"VERWEIS.FNP"_s);
    QVERIFY(QFile::link(m_path, link));
    QCOMPARE(writeFileAtomically(link, "durch den Verweis"), WriteStatus::Ok);
    QVERIFY2(QFileInfo(link).isSymLink(), "the link stays a link");
    QCOMPARE(fileBytes(m_path), QByteArray("durch den Verweis"));
}

void TestAtomicFile::failureKeepsOldFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<WriteStatus>("status");
    QTest::addColumn<int>("number"); // -1: the full disk's own number
    QTest::newRow("read-only folder") << u"read-only folder"_s << WriteStatus::CreateFailed << 5;
    QTest::newRow("read-only file") << u"read-only file"_s << WriteStatus::CreateFailed << 5;
    QTest::newRow("a folder of that name") << u"folder"_s << WriteStatus::CreateFailed << 5;
    QTest::newRow("missing folder") << u"missing folder"_s << WriteStatus::CreateFailed << 3;
    QTest::newRow("full disk") << u"full disk"_s << WriteStatus::WriteFailed << -1;
#ifdef Q_OS_WIN
    // Windows' own way: another program holds the file open without sharing it (5: access denied).
    QTest::newRow("held open by another program") << u"held open"_s << WriteStatus::WriteFailed << 5;
#endif
}

void TestAtomicFile::failureKeepsOldFile()
{
    QFETCH(QString, fault);
    QFETCH(WriteStatus, status);
    QFETCH(int, number);
#ifdef Q_OS_UNIX
    // Whether a file may be written is asked with the real user's rights, and root has them all.
    if (fault == u"read-only file"_s && geteuid() == 0)
        QSKIP("root may replace a read-only file");
#endif
    QString path = m_path;
    if (fault == u"folder"_s)
        QVERIFY(QDir().mkpath(path));
    else if (fault == u"missing folder"_s)
        path = m_dir->filePath(u"fehlt/HAUS.FNP"_s);
    else
        writeBytes(path, "alt\r\n");
    const QStringList before = allFiles();

    if (fault == u"read-only folder"_s && !ReadOnlyFolder::whyInactive().isEmpty())
        QSKIP(qPrintable(ReadOnlyFolder::whyInactive()));
    if (fault == u"full disk"_s && !FullDisk::whyInactive().isEmpty())
        QSKIP(qPrintable(FullDisk::whyInactive()));
    PermissionsEnforced enforced;
    std::unique_ptr<ReadOnlyFolder> readOnly;
    std::unique_ptr<FullDisk> full;
    if (fault == u"read-only folder"_s)
        readOnly = std::make_unique<ReadOnlyFolder>(m_dir->path());
    else if (fault == u"full disk"_s)
        full = std::make_unique<FullDisk>(m_dir->path());
    else if (fault == u"read-only file"_s)
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    std::unique_ptr<UnreadableFile> held;
    if (fault == u"held open"_s) {
        held = std::make_unique<UnreadableFile>(path);
        QVERIFY(held->isActive());
    }
    QVERIFY2(!readOnly || readOnly->isActive(), "the folder is read-only");
    QVERIFY2(!full || full->isActive(), "the disk is full");
    if (full)
        number = full->errorNumber();

    int reported = -1;
    QCOMPARE(writeFileAtomically(path, "neu\r\n", &reported), status);
    QCOMPARE(reported, number);
    held.reset();
    if (fault != u"folder"_s && fault != u"missing folder"_s)
        QCOMPARE(fileBytes(path), QByteArray("alt\r\n"));
    QCOMPARE(allFiles(), before);
}

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "TestAtomicFile.moc"
