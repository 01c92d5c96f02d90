#include "support/FileBytes.h"
#include "support/FileSystemFaults.h"
#include "text/AtomicFile.h"

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
    QTest::addColumn<bool>("staleCopy");    // a hidden copy left by an interrupted save
    QTest::newRow("new file") << QByteArray() << false;
    QTest::newRow("replaced file") << QByteArray("alt\r\n") << false;
    QTest::newRow("copy left by an interrupted save") << QByteArray("alt\r\n") << true;
    QTest::newRow("empty file replaced") << QByteArray("") << false;
}

void TestAtomicFile::replacesWithNothingBeside()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, staleCopy);
    if (!before.isNull())
        writeBytes(m_path, before);
    if (staleCopy)
        writeBytes(atomicStagingPath(m_path), "halb");

    int number = -1;
    QCOMPARE(writeFileAtomically(m_path, "neu\r\n", &number), WriteStatus::Ok);
    QCOMPARE(number, 0);
    QCOMPARE(fileBytes(m_path), QByteArray("neu\r\n"));
    QCOMPARE(allFiles(), QStringList{u"HAUS.FNP"_s});
}

void TestAtomicFile::keepsPermissionsAndLinks()
{
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

    PermissionsEnforced enforced;
    std::unique_ptr<ReadOnlyFolder> readOnly;
    std::unique_ptr<FullDisk> full;
    if (fault == u"read-only folder"_s)
        readOnly = std::make_unique<ReadOnlyFolder>(m_dir->path());
    else if (fault == u"full disk"_s)
        full = std::make_unique<FullDisk>(m_dir->path());
    else if (fault == u"read-only file"_s)
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    QVERIFY2(!readOnly || readOnly->isActive(), "the folder is read-only");
    QVERIFY2(!full || full->isActive(), "the disk is full");
    if (full)
        number = full->errorNumber();

    int reported = -1;
    QCOMPARE(writeFileAtomically(path, "neu\r\n", &reported), status);
    QCOMPARE(reported, number);
    if (fault != u"folder"_s && fault != u"missing folder"_s)
        QCOMPARE(fileBytes(path), QByteArray("alt\r\n"));
    QCOMPARE(allFiles(), before);
}

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "TestAtomicFile.moc"
