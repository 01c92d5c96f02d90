#include "support/FileBytes.h"
#include "text/AtomicFile.h"
#include "text/RegularFile.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(FileCheck)
Q_DECLARE_METATYPE(ReadStatus)
Q_DECLARE_METATYPE(WriteStatus)

// What the readers and the writer do with what a copied project may hold in place of a file: links
// into the folder are followed, links out of it, devices and pipes are neither read nor written
// (a pipe would block the reader, a device never end), and nothing outside the folder changes.
class TestRegularFile : public QObject
{
    Q_OBJECT

private slots:
    void onlyRegularFilesAreReadAndWritten_data();
    void onlyRegularFilesAreReadAndWritten();
};

void TestRegularFile::onlyRegularFilesAreReadAndWritten_data()
{
    QTest::addColumn<QString>("place"); // what stands at daten/HAUS_Bad.SHT
    QTest::addColumn<FileCheck>("check");
    QTest::addColumn<ReadStatus>("read");
    QTest::addColumn<WriteStatus>("write");

    QTest::newRow("regular file") << u"file"_s << FileCheck::Regular << ReadStatus::Ok << WriteStatus::Ok;
    QTest::newRow("link to a file beside it") << u"link beside"_s << FileCheck::Regular << ReadStatus::Ok
                                              << WriteStatus::Ok;
    QTest::newRow("link to a file in a subfolder")
        << u"link below"_s << FileCheck::Regular << ReadStatus::Ok << WriteStatus::Ok;
    QTest::newRow("link out of the folder") << u"link out"_s << FileCheck::NotRegular << ReadStatus::NotRegular
                                            << WriteStatus::NotRegular;
    QTest::newRow("link to a link out of the folder")
        << u"link chain"_s << FileCheck::NotRegular << ReadStatus::NotRegular << WriteStatus::NotRegular;
    QTest::newRow("link to nothing") << u"dangling"_s << FileCheck::NotRegular << ReadStatus::NotRegular
                                     << WriteStatus::NotRegular;
    QTest::newRow("link to a device") << u"device"_s << FileCheck::NotRegular << ReadStatus::NotRegular
                                      << WriteStatus::NotRegular;
    QTest::newRow("pipe") << u"pipe"_s << FileCheck::NotRegular << ReadStatus::NotRegular << WriteStatus::NotRegular;
    QTest::newRow("link to a pipe beside it")
        << u"link pipe"_s << FileCheck::NotRegular << ReadStatus::NotRegular << WriteStatus::NotRegular;
    QTest::newRow("folder") << u"folder"_s << FileCheck::Missing << ReadStatus::NotFound << WriteStatus::CreateFailed;
#ifdef Q_OS_WIN
    // "CON" with any extension is the console on Windows: neither read nor written.
    QTest::newRow("device name") << u"device name"_s << FileCheck::NotRegular << ReadStatus::NotRegular
                                 << WriteStatus::NotRegular;
#endif
}

void TestRegularFile::onlyRegularFilesAreReadAndWritten()
{
    QFETCH(QString, place);
    QFETCH(FileCheck, check);
    QFETCH(ReadStatus, read);
    QFETCH(WriteStatus, write);
#ifndef Q_OS_UNIX
    if (place != u"file"_s && place != u"folder"_s && place != u"device name"_s)
        QSKIP("symbolic links, pipes and /dev need a Unix file system; Windows' devices are tested by name");
#endif
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"daten"_s);
    QVERIFY(QDir().mkpath(folder + u"/alt"_s));
    const QString path = folder + (place == u"device name"_s ? u"/CON.SHT"_s : u"/HAUS_Bad.SHT"_s);
    const QString beside = folder + u"/Vorlage.SHT"_s;
    const QString below = folder + u"/alt/Vorlage.SHT"_s;
    const QString outside = dir.filePath(u"draussen.txt"_s);
    for (const QString &file : {beside, below, outside})
        writeBytes(file, "#008000\r\nSHEAD=vorher\r\n");
    if (place == u"file"_s) {
        writeBytes(path, "#008000\r\nSHEAD=vorher\r\n");
    } else if (place == u"folder"_s) {
        QVERIFY(QDir().mkpath(path));
    } else if (place == u"device name"_s) {
        // Nothing to make: the name alone is the device.
    } else if (place == u"pipe"_s || place == u"link pipe"_s) {
#ifdef Q_OS_UNIX
        const QString pipe = place == u"pipe"_s ? path : folder + u"/Rohr"_s;
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        if (place == u"link pipe"_s)
            QVERIFY(QFile::link(pipe, path));
#endif
    } else {
        const QString target = place == u"link beside"_s ? u"Vorlage.SHT"_s
                               : place == u"link below"_s ? u"alt/Vorlage.SHT"_s
                               : place == u"link out"_s   ? u"../draussen.txt"_s
                               : place == u"device"_s     ? u"/dev/zero"_s
                               : place == u"dangling"_s   ? u"fehlt.SHT"_s
                                                          : u"Zwischen.SHT"_s;
        QVERIFY(QFile::link(target, path));
        if (place == u"link chain"_s)
            QVERIFY(QFile::link(u"../draussen.txt"_s, folder + u"/Zwischen.SHT"_s));
    }

    QCOMPARE(checkRegularFile(path), check);
    QStringList lines;
    QCOMPARE(readTextFile(path, lines), read);
    if (read == ReadStatus::Ok)
        QCOMPARE(lines, (QStringList{u"#008000"_s, u"SHEAD=vorher"_s}));
    QCOMPARE(writeFileAtomically(path, "#008000\r\nSHEAD=nachher\r\n"), write);

    // Outside the folder nothing changed; a link followed into the folder is still a link.
    QCOMPARE(fileBytes(outside), QByteArray("#008000\r\nSHEAD=vorher\r\n"));
    if (place == u"link beside"_s || place == u"link below"_s) {
        QVERIFY(QFileInfo(path).isSymbolicLink());
        QCOMPARE(fileBytes(place == u"link beside"_s ? beside : below), QByteArray("#008000\r\nSHEAD=nachher\r\n"));
    }
    // Nothing was left beside the file.
    QCOMPARE(QDir(folder).entryList({u".~*"_s}, QDir::Files | QDir::Hidden | QDir::System), QStringList());
}

QTEST_GUILESS_MAIN(TestRegularFile)
#include "TestRegularFile.moc"
