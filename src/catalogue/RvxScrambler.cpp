#include "catalogue/RvxScrambler.h"

#include "catalogue/RvxReader.h"
#include "text/Cp1252.h"

using namespace Qt::Literals::StringLiterals;

bool ScrambleLine(QString &line, quint8 key)
{
    const QString readable = line;
    for (const QChar ch : readable) {
        if (!Cp1252::canEncode(ch))
            return false;
    }
    UnscrambleLine(line, key);
    QString back = Cp1252::decode(Cp1252::encode(line));
    UnscrambleLine(back, key);
    return back == readable;
}

QString execFileHeader(quint8 key, const QString &text)
{
    const int wanted = (key + 5) & 0xFF;
    for (int byte = 1; byte < 256; ++byte) {
        const char b = char(byte);
        const QString decoded = Cp1252::decode(QByteArrayView(&b, 1));
        if ((decoded.at(0).unicode() & 0xFF) == wanted && byte != '\n' && byte != '\r')
            return u"@QZR482 - "_s + text + decoded + u'*';
    }
    return QString();
}

bool scrambleExecFile(const QStringList &lines, QStringList &scrambled, QString *error)
{
    scrambled.clear();
    if (lines.isEmpty())
        return true;
    const int key = execFileKey(lines.first());
    if (key < 0) {
        if (error)
            *error = u"line 1: header too short to carry a key"_s;
        return false;
    }
    scrambled.reserve(lines.size());
    scrambled.append(lines.first());
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (!ScrambleLine(line, quint8(key))) {
            if (error)
                *error = u"line %1: cannot be scrambled for key %2: %3"_s.arg(i + 1).arg(key).arg(lines.at(i));
            return false;
        }
        scrambled.append(line);
    }
    return true;
}

QStringList listingLines(const QString &text, QList<int> *sourceLines)
{
    QStringList lines;
    const QStringList all = text.split(u'\n');
    for (qsizetype i = 0; i < all.size(); ++i) {
        QString line = all.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        lines.append(line);
        if (sourceLines)
            sourceLines->append(int(i + 1));
    }
    return lines;
}
