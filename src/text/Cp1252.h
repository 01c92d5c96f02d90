#pragma once

#include <QByteArray>
#include <QString>

// The Windows-1252 code page, the only codec for file content. Every byte decodes (the five
// unassigned bytes to U+0081, U+008D, U+008F, U+0090, U+009D, so bytes survive a round trip);
// characters the code page cannot hold encode as "?".
namespace Cp1252 {
QString decode(QByteArrayView bytes);
// decode into out, reusing its memory when it is large enough and not shared.
void decodeInto(QByteArrayView bytes, QString &out);
QByteArray encode(QStringView text);
// Whether ch can be written in Windows-1252 as itself.
bool canEncode(QChar ch);
} // namespace Cp1252
