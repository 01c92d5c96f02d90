#include "FuzzSupport.h"
#include "support/ExecFileFixture.h"
#include "support/ScriptedPrompt.h"

#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "page/PageDocument.h"
#include "page/PageFileReader.h"
#include "text/OperationError.h"
#include "workspace/AppState.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectModel.h"
#include "workspace/UserFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Files of 100 MB that no editor writes: one endless line, a count of two billion, a flood of
// lines. Every reader takes them and keeps no more entries than its list holds. A file of lines
// holds memory in proportion to what it keeps; of one endless line no more is kept than the format
// uses, so it needs no more memory than a small file.
class TestLargeInputs : public QObject
{
    Q_OBJECT

public:
    enum class Reader { Page, Exec, Project, Users };
    Q_ENUM(Reader)

private slots:
    void readerStaysBounded_data();
    void readerStaysBounded();
};

namespace {

constexpr qsizetype FileSize = 100 << 20;
// What a reader may hold at once: the file's bytes, its text (two bytes a character) and what is
// made of it, a few times over.
constexpr long long BytesPerFileByte = 6;
constexpr long long BaseBytes = 64ll << 20;
// What a reader may hold at once for a file of one line, whatever its length.
constexpr long long OneLineBytes = 64ll << 20;

const QByteArray PageHead = "@V=HTM100\r\n#001000=Seite\r\nFILEVERS=140\r\n"_ba;

// head, then unit repeated up to FileSize bytes, then tail.
bool writeLargeFile(const QString &path, const QByteArray &head, const QByteArray &unit, const QByteArray &tail)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size())
        return false;
    const QByteArray block = unit.repeated(std::max<qsizetype>(1, (1 << 20) / unit.size()));
    for (qsizetype written = head.size(); written < FileSize; written += block.size()) {
        if (file.write(block) != block.size())
            return false;
    }
    return file.write(tail) == tail.size();
}

// Reads the file with the reader and returns how many entries the list it fills holds.
qsizetype readEntries(TestLargeInputs::Reader reader, const QString &folder, const QString &path)
{
    ScriptedPrompt prompt; // messages about the damage may come; they are not what is tested here
    switch (reader) {
    case TestLargeInputs::Reader::Page: {
        Catalogue catalogue;
        const OfferedEntries offered(catalogue);
        PageDocument page;
        try {
            LoadHTMLSourcePage(page, offered, path, prompt);
        } catch (const OperationError &) {
        }
        return page.links.size() + page.html1.size();
    }
    case TestLargeInputs::Reader::Exec: {
        Catalogue catalogue;
        double date = 0.0;
        ReadRVXFile(path, catalogue, prompt, &date);
        return qsizetype(catalogue.ObjList.size() + catalogue.VarList.size() + catalogue.TypeList.size());
    }
    case TestLargeInputs::Reader::Project: {
        AppState state;
        ProjectModel model;
        ReadProjectFile(path, state, model, prompt);
        return model.FreeIPs.size() + model.Sites.size();
    }
    case TestLargeInputs::Reader::Users: {
        AppState state;
        state.DataFolder = folder;
        ProjectModel model;
        ReadUserFile(u"HAUS"_s, state, model, prompt);
        return qsizetype(std::count_if(model.Users.cbegin(), model.Users.cend(),
                                       [](const UserRow &row) { return !row.User.isEmpty(); }));
    }
    }
    return -1;
}

} // namespace

void TestLargeInputs::readerStaysBounded_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("unit"); // repeated up to 100 MB
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<qsizetype>("maxEntries"); // -1: as many as the file makes

    const QByteArray link = "Seite\x03Ziel\x0B"_ba;
    QTest::newRow("page: two billion links announced, one line of 100 MB")
        << Reader::Page << u"HAUS_Seite.SHT"_s << PageHead + "#009000=2147483647\r\nNAVI="_ba << link << "\r\n"_ba
        << qsizetype(1024);
    QTest::newRow("page: two billion links announced, 100 MB of NAVI lines")
        << Reader::Page << u"HAUS_Seite.SHT"_s << PageHead + "#009000=2147483647\r\n"_ba << "NAVI="_ba + link + "\r\n"_ba
        << QByteArray() << qsizetype(1024);
    QTest::newRow("page: 100 MB of HTML lines") << Reader::Page << u"HAUS_Seite.SHT"_s << PageHead + "#020000\r\n"_ba
                                                << "HTML1="_ba + QByteArray(1000, 'x') + "\r\n"_ba << QByteArray()
                                                << qsizetype(-1);
    QTest::newRow("page: one line of 100 MB without a line end")
        << Reader::Page << u"HAUS_Seite.SHT"_s << PageHead << "<b>"_ba << QByteArray() << qsizetype(0);
    QTest::newRow("execution file: one line of 100 MB")
        << Reader::Exec << u"HAUS.RVX"_s << testHeader(27).toLatin1() + "\r\n"_ba << "A;"_ba << "\r\n"_ba
        << qsizetype(0);
    QTest::newRow("project file: 100 MB of IP exemptions")
        << Reader::Project << u"HAUS.FNP"_s << "FILEVERS=140\r\nFREEIPS="_ba << "(192.168.0.10);"_ba << "\r\n"_ba
        << qsizetype(1023 / 15 + 1);
    QTest::newRow("user list: one line of 100 MB")
        << Reader::Users << u"HAUS_WEBUSERS.USR"_s << QByteArray() << "Anna;geheim;Start;"_ba << "\r\n"_ba
        << qsizetype(1);
    QTest::newRow("user list: 100 MB of users") << Reader::Users << u"HAUS_WEBUSERS.USR"_s << QByteArray()
                                                << "Anna;geheim;Start\r\n"_ba << QByteArray() << qsizetype(65);
}

void TestLargeInputs::readerStaysBounded()
{
    QFETCH(Reader, reader);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, unit);
    QFETCH(QByteArray, tail);
    QFETCH(qsizetype, maxEntries);

    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QVERIFY(writeLargeFile(path, head, unit, tail));
    const qint64 size = QFileInfo(path).size();

    qsizetype entries = 0;
    long long peak = 0;
    {
        Fuzz::AllocationWatch watch;
        entries = readEntries(reader, dir.path(), path);
        peak = watch.peakBytes();
    }
    if (maxEntries >= 0)
        QVERIFY2(entries <= maxEntries, qPrintable(u"%1 entries"_s.arg(entries)));
    if (Fuzz::AllocationWatch::counting()) {
        const bool oneLine = !(head + unit).contains('\n') || !unit.contains('\n');
        const long long bound = oneLine ? OneLineBytes : BaseBytes + BytesPerFileByte * size;
        QVERIFY2(peak <= bound,
                 qPrintable(u"%1 MB held at once for a file of %2 MB"_s.arg(peak >> 20).arg(size >> 20)));
    }
}

QTEST_GUILESS_MAIN(TestLargeInputs)
#include "TestLargeInputs.moc"
