#include "ExecFileFixture.h"

#include "catalogue/RvxScrambler.h"
#include "text/TextFile.h"

#include <QFile>

QString writeExecFile(const QString &folder, const QString &name, const QStringList &lines, QString *error)
{
    QStringList scrambled;
    if (!scrambleExecFile(lines, scrambled, error))
        return QString();
    const QString path = folder + u'/' + name;
    if (writeTextFile(path, scrambled) != WriteStatus::Ok) {
        if (error)
            *error = QStringLiteral("cannot write ") + path;
        return QString();
    }
    return path;
}

QString writeRawFile(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = folder + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

QString testHeader(quint8 key)
{
    return execFileHeader(key, QStringLiteral("Test"));
}
