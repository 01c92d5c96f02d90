#pragma once

#include <QByteArray>
#include <QStringView>

class QIODevice;

// Writes JSON text straight to a device, without building a document first: strings and numbers
// are spelt exactly as Qt's JSON writer spells them in compact form, so output does not depend on
// which of the two wrote it. Text is collected in a buffer that goes out in large pieces and at
// the end (flush, or destruction).
class JsonWriter
{
public:
    explicit JsonWriter(QIODevice &out);
    ~JsonWriter();
    JsonWriter(const JsonWriter &) = delete;
    JsonWriter &operator=(const JsonWriter &) = delete;

    // Text written as it stands (brackets, separators, line breaks).
    JsonWriter &raw(QByteArrayView text);
    // A string in double quotes with Qt's escapes; characters beyond ASCII as UTF-8.
    JsonWriter &string(QStringView text);
    // "key": with one blank after the colon.
    JsonWriter &key(QStringView key);
    JsonWriter &number(qint64 value);
    // Whole numbers below 2^53 without a fraction, anything else as Qt writes a double.
    JsonWriter &number(double value);
    JsonWriter &boolean(bool value);

    void flush();

private:
    void flushIfFull();

    QIODevice &m_out;
    QByteArray m_buffer;
};

// Appends text as a JSON string (quotes included) to out.
void appendJsonString(QByteArray &out, QStringView text);
