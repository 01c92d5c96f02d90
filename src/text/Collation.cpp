#include "text/Collation.h"

#include <QLocale>

#include <algorithm>

QCollator germanCollator()
{
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

void appendCaseFolded(QStringView text, QString &out)
{
    // QString::toCaseFolded replaces a lone surrogate, but only once it has started to change
    // the text: any text with a surrogate goes through it. The readers' texts never have one.
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSurrogate(); })) {
        out += text.toString().toCaseFolded();
        return;
    }
    // Written in place: a character folds to one character, except the few that fold to a
    // character beyond the first 65,536, which go the long way.
    const qsizetype start = out.size();
    out.resize(start + text.size());
    QChar *to = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            *to++ = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
            continue;
        }
        const char32_t folded = QChar::toCaseFolded(char32_t(c));
        if (!QChar::requiresSurrogates(folded)) {
            *to++ = QChar(char16_t(folded));
            continue;
        }
        out.truncate(to - out.constData());
        out += QChar(QChar::highSurrogate(folded));
        out += QChar(QChar::lowSurrogate(folded));
        appendCaseFolded(text.sliced(i + 1), out);
        return;
    }
}
