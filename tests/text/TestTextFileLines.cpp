#include "support/FileBytes.h"
#include "text/Cp1252.h"
#include "text/TextFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The pieces the reader takes a file in.
constexpr qsizetype Piece = 256 * 1024;

// The lines of bytes as the format defines them, split the plain way: at every LF, one CR before
// it dropped, a last line without LF kept as it is.
QStringList expectedLines(const QByteArray &bytes)
{
    QList<QByteArray> parts = bytes.split('\n');
    if (parts.last().isEmpty())
        parts.removeLast();
    QStringList lines;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QByteArray part = parts[i];
        const bool endsWithLf = i < parts.size() - 1 || bytes.endsWith('\n');
        if (endsWithLf && part.endsWith('\r'))
            part.chop(1);
        lines << Cp1252::decode(part);
    }
    return lines;
}

} // namespace

// Large files are read piece by piece: lines, CR LF and characters that straddle two pieces come
// out as if the file had been read whole.
class TestTextFileLines : public QObject
{
    Q_OBJECT

private slots:
    void linesAcrossPieces_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray a(Piece - 1, 'a');
        QTest::newRow("CR last of a piece, LF first of the next") << a + "\r\nb\r\n";
        QTest::newRow("LF first of a piece") << QByteArray(Piece, 'a') + "\nb";
        QTest::newRow("line longer than two pieces") << QByteArray(2 * Piece + 17, 'x') + "\r\nEnde";
        QTest::newRow("last line without LF keeps its CR") << a + "\r\nb\r";
        QTest::newRow("empty lines at the boundary") << a + "\n\n\r\n\n";
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
        QVERIFY(readTextFileLines(path, [&lines](QString &line) { lines << line; }));
        QCOMPARE(lines, expectedLines(bytes));
        QStringList whole;
        QVERIFY(readTextFile(path, whole));
        QCOMPARE(whole, lines);
    }

    // The callee may keep or swap the buffer it is handed: every line still arrives whole.
    void calleeMayTakeTheBuffer()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zeilen.txt"_s);
        writeBytes(path, "eins\r\nzwei\nlange dritte Zeile\r\n");
        QStringList kept;
        QString mine = u"vorher"_s;
        QVERIFY(readTextFileLines(path, [&](QString &line) {
            std::swap(mine, line);
            kept << mine;
        }));
        QCOMPARE(kept, (QStringList{u"eins"_s, u"zwei"_s, u"lange dritte Zeile"_s}));
    }
};

QTEST_GUILESS_MAIN(TestTextFileLines)
#include "TestTextFileLines.moc"
