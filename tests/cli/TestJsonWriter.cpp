#include "cli/JsonWriter.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

// A value as Qt's JSON writer spells it inside a compact array.
QByteArray qtSpelling(const QJsonValue &value)
{
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return text.mid(1, text.size() - 2);
}

template <typename Write> QByteArray written(Write write)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        JsonWriter json(out);
        write(json);
    }
    return out.data();
}

} // namespace

// The catalogue printed by webdef-cli is compared with earlier output byte for byte, so strings and
// numbers must come out exactly as Qt's writer spells them.
class TestJsonWriter : public QObject
{
    Q_OBJECT

private slots:
    void strings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("ASCII") << u"Licht_Decke 12"_s;
        QTest::newRow("quote, backslash, slash") << u"a\"b\\c/d"_s;
        QTest::newRow("short escapes") << u"\b\f\n\r\t"_s;
        QTest::newRow("character 0 and other controls") << QString(u"\u0000\u0001\u001F\u007F"_s);
        QTest::newRow("Windows-1252 letters") << u"Küche Gäste Büro € ‰ ÿ"_s;
        QTest::newRow("surrogate pair") << u"\U0001F600"_s;
        QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) + u'x';
        QTest::newRow("lone low surrogate at the end") << u"x"_s + QChar(0xDE00);
        QTest::newRow("low before high") << QString(QChar(0xDE00)) + QChar(0xD83D);
    }

    void strings()
    {
        QFETCH(QString, text);
        QCOMPARE(written([&](JsonWriter &json) { json.string(text); }), qtSpelling(text));
    }

    void everyCodeUnit()
    {
        // Control characters, Latin-1, the surrogates and the last code units in full; the rest
        // sampled (every code unit would take minutes under the sanitizers).
        const auto interesting = [](char16_t c) {
            return c < 0x400 || (c >= 0xD7F0 && c < 0xE010) || c >= 0xFFF0 || c % 97 == 0;
        };
        for (char16_t c = 1; c != 0; ++c) {
            if (!interesting(c))
                continue;
            const QString text = u"a"_s + QChar(c) + u"b"_s;
            const QByteArray ours = written([&](JsonWriter &json) { json.string(text); });
            QVERIFY2(ours == qtSpelling(text), qPrintable(QString::number(c, 16)));
        }
    }

    void numbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative whole") << -20.0;
        QTest::newRow("range end") << 999999999.0;
        QTest::newRow("32-bit limits") << double(std::numeric_limits<qint32>::min());
        QTest::newRow("fraction") << 0.5;
        QTest::newRow("beyond 2^53") << 1e17;
    }

    void numbers()
    {
        QFETCH(double, value);
        const QJsonValue expected = std::trunc(value) == value && std::abs(value) < 9007199254740992.0
                                        ? QJsonValue(qint64(value))
                                        : QJsonValue(value);
        QCOMPARE(written([&](JsonWriter &json) { json.number(value); }), qtSpelling(expected));
    }

    // Output larger than one buffer arrives whole and in order.
    void largeOutput()
    {
        const QString piece = u"Gerät"_s.repeated(1000);
        const QByteArray out = written([&](JsonWriter &json) {
            json.raw("[");
            for (int i = 0; i < 500; ++i)
                json.raw(i ? "," : "").string(piece);
            json.raw("]");
        });
        QJsonParseError error;
        const QJsonArray array = QJsonDocument::fromJson(out, &error).array();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(array.size(), 500);
        QCOMPARE(array.last().toString(), piece);
    }
};

QTEST_GUILESS_MAIN(TestJsonWriter)
#include "TestJsonWriter.moc"
