#include "support/FileBytes.h"
#include "text/Cp1252.h"
#include "text/TextFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The pieces the reader takes a file in.
constexpr qsizetype Piece = 256 * 1024;

// The lines of bytes as the format defines them, split the plain way: at LF, CR LF or CR alone, a
// last line without an end kept as it is.
QStringList expectedLines(const QByteArray &bytes)
{
    QStringList lines;
    QByteArray line;
    bool any = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r') {
            line += c;
            any = true;
            continue;
        }
        lines << Cp1252::decode(line);
        line.clear();
        any = false;
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
    }
    if (any)
        lines << Cp1252::decode(line);
    return lines;
}

} // namespace

// Large files are read piece by piece: lines, line ends and characters that straddle two pieces
// come out as if the file had been read whole, and a long line keeps only what its reader uses.
class TestTextFileLines : public QObject
{
    Q_OBJECT

private slots:
    void linesAcrossPieces_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray a(Piece - 1, 'a');
        QTest::newRow("CR last of a piece, LF first of the next") << a + "\r\nb\r\n";
        QTest::newRow("CR alone last of a piece") << a + "\rb\r";
        QTest::newRow("LF first of a piece") << QByteArray(Piece, 'a') + "\nb";
        QTest::newRow("line longer than two pieces") << QByteArray(2 * Piece + 17, 'x') + "\r\nEnde";
        QTest::newRow("last line ends with CR") << a + "\r\nb\r";
        QTest::newRow("empty lines at the boundary") << a + "\n\n\r\n\n";
        QTest::newRow("CR-only lines across the boundary") << a.left(Piece - 4) + "\rx\r\ry\r";
        QTest::newRow("high bytes across the boundary") << a.left(Piece - 3) + "\x80\x9f\xfc\r\n\x81\x8d";
        QTest::newRow("exactly one piece") << QByteArray(Piece - 2, 'c') + "\r\n";
    }

    void linesAcrossPieces()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Gross.SHT"_s);
        writeBytes(path, bytes);

        QStringList lines;
        QCOMPARE(readTextFileLines(path, [&lines](QString &line, qsizetype) { lines << line; }), ReadStatus::Ok);
        QCOMPARE(lines, expectedLines(bytes));
        QStringList whole;
        QCOMPARE(readTextFile(path, whole), ReadStatus::Ok);
        QCOMPARE(whole, lines);
    }

    // A line longer than its limit keeps its head (or its tail), across pieces as well, and the
    // reader is told how long it was.
    void longLinesKeepWhatTheirReaderUses_data()
    {
        QTest::addColumn<qsizetype>("length");
        QTest::addColumn<bool>("keepTail");
        QTest::newRow("head, within one piece") << qsizetype(5000) << false;
        QTest::newRow("tail, within one piece") << qsizetype(5000) << true;
        QTest::newRow("head, across three pieces") << 3 * Piece + 5 << false;
        QTest::newRow("tail, across three pieces") << 3 * Piece + 5 << true;
        QTest::newRow("exactly the limit") << qsizetype(1279) << false;
    }

    void longLinesKeepWhatTheirReaderUses()
    {
        QFETCH(qsizetype, length);
        QFETCH(bool, keepTail);
        const LineLimit limit{1279, keepTail};
        QByteArray line;
        for (qsizetype i = 0; i < length; ++i)
            line += char('a' + i % 26);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Lang.SHT"_s);
        writeBytes(path, "kurz\r\n" + line + "\r\nEnde");

        QStringList lines;
        QList<qsizetype> lengths;
        const auto take = [&](QString &text, qsizetype full) {
            lines << text;
            lengths << full;
        };
        QCOMPARE(readTextFileLines(path, take, limit), ReadStatus::Ok);
        const QByteArray kept = keepTail ? line.right(limit.maxChars) : line.left(limit.maxChars);
        QCOMPARE(lines, (QStringList{u"kurz"_s, QString::fromLatin1(kept), u"Ende"_s}));
        QCOMPARE(lengths, (QList<qsizetype>{4, length, 4}));
    }

    // The callee may keep or swap the buffer it is handed: every line still arrives whole.
    void calleeMayTakeTheBuffer()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zeilen.txt"_s);
        writeBytes(path, "eins\r\nzwei\nlange dritte Zeile\r\n");
        QStringList kept;
        QString mine = u"vorher"_s;
        QCOMPARE(readTextFileLines(path,
                                   [&](QString &line, qsizetype) {
                                       std::swap(mine, line);
                                       kept << mine;
                                   }),
                 ReadStatus::Ok);
        QCOMPARE(kept, (QStringList{u"eins"_s, u"zwei"_s, u"lange dritte Zeile"_s}));
    }
};

QTEST_GUILESS_MAIN(TestTextFileLines)
#include "TestTextFileLines.moc"
