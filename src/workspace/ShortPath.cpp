#include "workspace/ShortPath.h"

using namespace Qt::Literals::StringLiterals;

QString ShortPathText(const QString &path, int labelWidth, const TextWidthFunction &textWidth, QChar delimiter)
{
    if (textWidth(path) <= labelWidth)
        return path;

    const qsizetype first = path.indexOf(delimiter);
    const QString head = (first >= 0 ? path.left(first + 1) : QString()) + u"..."_s;
    QString tail = first >= 0 ? path.mid(first + 1) : path;
    while (!tail.isEmpty() && textWidth(head + tail) > labelWidth) {
        // Whole folders go first; the delimiter before the next folder stays at the front.
        const qsizetype next = tail.indexOf(delimiter, 1);
        tail = next >= 0 ? tail.mid(next) : tail.mid(1);
    }
    return head + tail;
}
